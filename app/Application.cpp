#include "app/Application.h"

#include "app/NativeNames.h"
#include "device/LinePort.h"
#include "device/PortCatalog.h"
#include "emulator/VirtualProcessor.h"

#include <QApplication>

#include <chrono>
#include <thread>

namespace tonel {

namespace {
// How long the end of the run waits for the port to send the goodbye.
constexpr std::chrono::milliseconds kGoodbyeDeadline{1000};
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
    window_ = std::make_unique<MainWindow>(ViewContext{image_, *port_, *catalog_, portListener_, messages_, files_, timers_},
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

// Destroying the view writes "(01bye)" to a connected device; the port's thread sends it unless
// the port is shut down first, so give it a moment before the port goes.
void Application::shutDown()
{
    if (!window_)
        return;
    const bool connected = window_->view().session().connected();
    const std::uint64_t sentBefore = port_->textsSent();
    window_.reset();
    if (!connected)
        return;
    const auto deadline = std::chrono::steady_clock::now() + kGoodbyeDeadline;
    while (port_->isOpen() && port_->textsSent() == sentBefore && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kGoodbyePoll);
}

}  // namespace tonel
