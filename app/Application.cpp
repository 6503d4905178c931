#include "app/Application.h"

#include "app/NativeNames.h"
#include "device/LinePort.h"
#include "device/PortCatalog.h"
#include "device/WireProtocol.h"
#include "emulator/VirtualProcessor.h"

#include <QApplication>

#include <chrono>
#include <thread>

namespace tonel {

namespace {
constexpr std::chrono::milliseconds kGoodbyePoll{5};
}  // namespace

Application::Application(MessageBoxes* messages, FileDialogs* files, QSize availableArea)
    : messages_(messages != nullptr ? *messages : qtMessages_),
      files_(files != nullptr ? *files : qtFiles_),
      availableArea_(availableArea)
{
}

Application::~Application() { shutDown(); }

bool Application::start(const TonelOptions& options, QString* error)
{
    if (!makeCatalog(options, error))
        return false;
    // The desktop groups the window with its launcher by these (the Wayland app id, the dock icon).
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    QApplication::setWindowIcon(applicationIcon());
    port_ = std::make_unique<LinePort>();
    countedPort_ = std::make_unique<CountedLine>(*port_, [port = port_.get()] { return port->textsSent(); });
    window_ = std::make_unique<MainWindow>(ViewContext{image_, *countedPort_, *catalog_, portListener_, messages_, files_, timers_},
                                          availableArea_);
    qtMessages_.setParent(window_.get());
    qtFiles_.setParent(window_.get());
    window_->showCentred();
    if (!options.file.empty())
        window_->view().loadFile(nativeNameText(options.file));
    return true;
}

bool Application::makeCatalog(const TonelOptions& options, QString* error)
{
    if (options.demo) {
        demo_ = std::make_unique<emulator::VirtualProcessor>();
        if (!demo_->start()) {
            if (error != nullptr)
                *error = QStringLiteral("cannot start the virtual processor on a pseudo-terminal");
            return false;
        }
        catalog_ = std::make_unique<ExplicitPortCatalog>(std::vector<std::string>{demo_->terminalPath()});
    } else if (!options.ports.empty()) {
        catalog_ = std::make_unique<ExplicitPortCatalog>(options.ports);
    } else {
        catalog_ = std::make_unique<SysfsPortCatalog>();
    }
    return true;
}

void Application::closeMainWindow()
{
    if (window_)
        window_->closeWithoutQuestion();
}

// Destroying the view writes "(01bye)" to a connected device, after whatever the closing window
// sent (a focused frequency field sends its band again); the port's thread sends them in order
// unless the port is shut down first. So wait until all have left, up to the port's deadline for
// the goodbye, or until the line is gone.
void Application::shutDown()
{
    if (!window_)
        return;
    const bool connected = window_->view().session().connected();
    window_.reset();
    if (!connected)
        return;
    const PortLimits limits;
    const auto deadline = std::chrono::steady_clock::now() + limits.writeConstant +
                          limits.writePerChar * static_cast<long>(wire::kBye.size());
    while (port_->isOpen() && !countedPort_->allSent() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kGoodbyePoll);
}

}  // namespace tonel
