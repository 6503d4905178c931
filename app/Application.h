#pragma once
// The application: creates the run's one image, port, port catalog and main window, and tears
// them down in an order that lets a connected device hear "(01bye)".

#include "app/CountedLine.h"
#include "app/MainWindow.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/QueuedLineListener.h"
#include "app/TimerService.h"
#include "app/TonelOptions.h"
#include "model/ParameterImage.h"

#include <QSize>
#include <QString>

#include <memory>

namespace tonel {

class LinePort;
class PortCatalog;
namespace emulator {
class VirtualProcessor;
}

class Application {
public:
    // Message boxes and file dialogs are Qt's unless given (tests record and script them); the
    // screen's free area is the primary screen's unless given.
    explicit Application(MessageBoxes* messages = nullptr, FileDialogs* files = nullptr, QSize availableArea = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The name of the installed desktop entry, without ".desktop".
    static inline const QString kDesktopFileName = QStringLiteral("tonel-controller");

    // Builds everything and shows the main window; a file of the options is then loaded as the
    // open button would. False (with `error`) when the demo device cannot be started.
    bool start(const TonelOptions& options, QString* error);

    MainWindow* mainWindow() const { return window_.get(); }
    // Closes the main window without asking about unsaved edits: the session is ending (a
    // termination signal). The run then ends.
    void closeMainWindow();
    // Destroys the main window, giving a connected device its "(01bye)"; the destructor does it too.
    void shutDown();

    emulator::VirtualProcessor* demoDevice() const { return demo_.get(); }
    const ParameterImage& image() const { return image_; }

private:
    bool makeCatalog(const TonelOptions& options, QString* error);

    std::unique_ptr<emulator::VirtualProcessor> demo_;  // the port's other end: outlives the port
    std::unique_ptr<PortCatalog> catalog_;
    QueuedLineListener portListener_;  // the port's thread posts to it until the port is gone
    ParameterImage image_;
    std::unique_ptr<LinePort> port_;
    std::unique_ptr<CountedLine> countedPort_;  // the port as the view writes to it
    QtMessageBoxes qtMessages_;
    QtFileDialogs qtFiles_;
    MessageBoxes& messages_;
    FileDialogs& files_;
    QtTimerService timers_;
    QSize availableArea_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tonel
