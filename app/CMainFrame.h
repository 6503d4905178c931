#pragma once
// The main window: fixed size, no menu, no status bar; its client area is the main view.

#include "app/CTonelView.h"

#include <QMainWindow>

namespace tonel {

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Tonel Controller v1.0");

    explicit CMainFrame(ViewContext context);
    ~CMainFrame() override;

    CTonelView& view() { return *view_; }
    // Shows the window in the middle of its screen.
    void showCentred();

private:
    CTonelView* view_;
};

}  // namespace tonel
