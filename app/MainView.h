#pragma once
// The main view: the command and page button rows, the four pages (one shown at a time), the
// parameter-file commands, the keyboard shortcuts, and the host of the device session.

#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/QueuedLineListener.h"
#include "app/TimerService.h"
#include "app/session/SessionPresenter.h"
#include "device/DeviceSession.h"
#include "model/ParameterImage.h"
#include "pages/Page.h"

#include <QWidget>

#include <array>
#include <functional>
#include <map>

class QPushButton;

namespace tonel {

class PageButton;

inline constexpr int kPageCount = 4;
using PageSet = std::array<Page*, kPageCount>;  // effect, microphone, music, system
// Creates the four pages as children of `parent`; tests give their own.
using PageFactory = std::function<PageSet(PageContext context, QWidget* parent)>;
PageSet makeStandardPages(PageContext context, QWidget* parent);

// What the view works with; all of it outlives the view.
struct ViewContext {
    ParameterImage& image;
    SerialLine& port;
    PortCatalog& catalog;
    QueuedLineListener& portListener;
    MessageBoxes& messages;
    FileDialogs& files;
    TimerService& timers;
    PageFactory makePages = makeStandardPages;
};

class MainView : public QWidget, public SessionHost, public SessionControls {
    Q_OBJECT
public:
    explicit MainView(ViewContext context, QWidget* parent = nullptr);
    ~MainView() override;  // says goodbye to a connected device

    // Loads a parameter file as the open button does once a path is chosen, messages included.
    // A name that is not UTF-8 comes as app/NativeNames makes it.
    void loadFile(const QString& path);

    // Whether the image holds edits that are neither saved to a file nor stored on the device
    // since the last load, save, read or store.
    bool hasUnsavedEdits() const { return context_.image.bytes() != keptImage_; }
    // Asked before the window closes: true when it may close (nothing to lose, saved, or the
    // user chose to close anyway).
    bool mayClose(const QString& caption);

    QPushButton* button(int id) const;
    Page* page(int index) const { return pages_.at(index); }
    int shownPage() const;  // index of the visible page
    DeviceSession& session() { return session_; }

    // SessionHost
    void armTimer(int id, std::chrono::milliseconds delay) override;
    void cancelTimer(int id) override;
    void refreshAllPages() override;
    void sessionEvent(const SessionReport& report) override;
    void portFailure(const PortError& error) override;
    // SessionControls
    void enableButton(int id, bool enabled) override;
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createButtons();
    void createPages(const PageFactory& makePages);
    void connectButtons();
    void showPage(int index);
    void markPageButtons(int index);
    void updateModeCaption();
    void createShortcuts();
    void setTabOrder();
    void pressButton(int id);
    void markEditsKept() { keptImage_ = context_.image.bytes(); }
    void onWriteButton();
    void onOpenFile();
    bool onSaveFile();  // true when the image went to a file

    ViewContext context_;
    DeviceSession session_;
    std::map<int, QPushButton*> buttons_;
    std::array<PageButton*, kPageCount> pageButtons_{};
    PageSet pages_{};
    ImageBytes keptImage_{};
};

}  // namespace tonel
