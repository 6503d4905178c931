#pragma once
// A main view on a recording port, fake timers, recorded message boxes and scripted dialogs.

#include "AppFakes.h"
#include "app/MainView.h"
#include "tests/support/FakeSerialLine.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tonel::testing {

struct ViewFixture : ::testing::Test {
    FakePortCatalog catalog{std::vector<int>{1}};
    FakeSerialLine port{&catalog};
    QueuedLineListener portListener;
    ParameterImage image;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    FakeTimers timers;
    std::vector<std::string> pageLog;
    std::unique_ptr<MainView> view;

    void SetUp() override { makeView(loggingPages(pageLog)); }

    void makeView(PageFactory pages)
    {
        view = std::make_unique<MainView>(
            ViewContext{image, port, catalog, portListener, messages, files, timers, std::move(pages)});
        view->show();
    }
    QPushButton* button(int id) const { return view->findChild<QPushButton*>(QString::number(id)); }
    QWidget* page(int templateId) const { return view->findChild<QWidget*>(QString::number(templateId)); }
    void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    // Replies that the port has received reach the window thread through the event queue.
    void deliverReplies()
    {
        port.deliverPending();
        QCoreApplication::sendPostedEvents();
    }
};

}  // namespace tonel::testing
