#include "app/MainWindow.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace tonel {

namespace {
// Room left for the window manager's title bar and borders when the view may not fit.
constexpr QSize kDecorationAllowance{0, 40};
}  // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(MainWindow::kIconName), QSize(size, size));
    return icon;
}

MainWindow::MainWindow(ViewContext context, QSize availableArea) : view_(new MainView(std::move(context), this))
{
    // A title, a system menu, minimise and close: no maximise box, no resizable border.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kCaption);
    setWindowIcon(applicationIcon());
    if (!availableArea.isValid()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            availableArea = screen->availableGeometry().size();
    }
    fitInto(availableArea);
    // The title follows the image whenever the event loop has nothing left to do.
    connect(QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock, this,
            &MainWindow::refreshTitle);
}

// The view goes first: it says goodbye to a connected device while the port still exists.
MainWindow::~MainWindow() { delete view_; }

void MainWindow::fitInto(QSize availableArea)
{
    const QSize full = view_->size();
    const QSize room = availableArea.isValid() ? availableArea - kDecorationAllowance : full;
    if (room.width() >= full.width() && room.height() >= full.height()) {
        setCentralWidget(view_);
        setFixedSize(full);
        return;
    }
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setBackgroundRole(QPalette::Shadow);
    scrollArea_->setWidget(view_);
    setCentralWidget(scrollArea_);
    // A scroll bar in one direction takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea_);
    QSize size = full.boundedTo(room);
    if (size.height() < full.height())
        size.setWidth(std::min(full.width() + bar, room.width()));
    if (size.width() < full.width())
        size.setHeight(std::min(full.height() + bar, room.height()));
    setFixedSize(size);
}

void MainWindow::showCentred()
{
    show();
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        const QRect area = screen->availableGeometry();
        frame.moveCenter(area.center());
        // The title bar stays reachable on a screen barely larger than the window.
        move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
    }
}

void MainWindow::refreshTitle()
{
    const bool edited = view_->hasUnsavedEdits();
    const QString title = edited ? kCaption + QStringLiteral(" *") : kCaption;
    if (windowTitle() != title)
        setWindowTitle(title);
}

void MainWindow::closeWithoutQuestion()
{
    closeAgreed_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Leaving the field being typed in applies its entry before the edits are weighed.
    if (QWidget* focused = focusWidget(); focused != nullptr && focused != view_)
        view_->setFocus(Qt::OtherFocusReason);
    if (!closeAgreed_ && view_->mayClose(kCaption))
        closeAgreed_ = true;
    // A signal may have closed the window while the question was open.
    if (closeAgreed_ || !isVisible()) {
        event->accept();
        return;
    }
    refreshTitle();
    event->ignore();
}

}  // namespace tonel
