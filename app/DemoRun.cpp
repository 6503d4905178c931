#include "app/DemoRun.h"

#include "app/MainView.h"
#include "device/DeviceSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

namespace tonel {

bool startDemo(Application& app, QString* error)
{
    TonelOptions options;
    options.demo = true;
    return app.start(options, error);
}

bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeout.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool readDevice(Application& app, std::chrono::milliseconds timeout)
{
    MainView& view = app.mainWindow()->view();
    view.button(res::view::ReadButton)->click();
    return runEventsUntil([&view] { return view.session().connected(); }, timeout);
}

}  // namespace tonel
