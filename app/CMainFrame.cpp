#include "app/CMainFrame.h"

#include <QGuiApplication>
#include <QScreen>

namespace tonel {

CMainFrame::CMainFrame(ViewContext context) : view_(new CTonelView(std::move(context), this))
{
    // A title, a system menu, minimise and close: no maximise box, no resizable border.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kCaption);
    setCentralWidget(view_);
    setFixedSize(view_->size());
}

// The view goes first: it says goodbye to a connected device while the port still exists.
CMainFrame::~CMainFrame() { delete view_; }

void CMainFrame::showCentred()
{
    show();
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace tonel
