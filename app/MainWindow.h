#pragma once
// The main window: fixed size, no menu, no status bar; its client area is the main view, inside a
// scroll area when the screen is too small for it. The title marks unsaved edits, and closing
// with such edits asks first.

#include "app/MainView.h"

#include <QMainWindow>

class QScrollArea;

namespace tonel {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Tonel Controller v1.0");
    static inline const QString kIconName = QStringLiteral("tonel-controller");

    // `availableArea` is the screen's free area for the window; empty: the primary screen's.
    explicit MainWindow(ViewContext context, QSize availableArea = {});
    ~MainWindow() override;

    MainView& view() { return *view_; }
    // Shows the window in the middle of its screen.
    void showCentred();
    // The caption, with " *" while the image holds unsaved edits.
    void refreshTitle();
    // Closes without the question about unsaved edits (the session is ending, or the user has
    // answered it already).
    void closeWithoutQuestion();
    // The view scrolls inside the window.
    bool scrollsView() const { return scrollArea_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fitInto(QSize availableArea);

    MainView* view_;
    QScrollArea* scrollArea_ = nullptr;
    bool closeAgreed_ = false;
};

// The icon of the window and of the desktop entry, in every size the program carries.
QIcon applicationIcon();

}  // namespace tonel
