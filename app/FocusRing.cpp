#include "app/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace tonel {

FocusRing::FocusRing(QWidget* area) : QWidget(area)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* focused)
{
    if (target_ != nullptr)
        target_->removeEventFilter(this);
    QWidget* area = parentWidget();
    const bool inside = focused != nullptr && focused != area && area->isAncestorOf(focused);
    target_ = inside ? focused : nullptr;
    if (target_ == nullptr) {
        hide();
        return;
    }
    target_->installEventFilter(this);  // a control that hides or moves takes the ring along
    place();
}

void FocusRing::place()
{
    if (target_ == nullptr || !target_->isVisible()) {
        hide();
        return;
    }
    const QRect r(target_->mapTo(parentWidget(), QPoint(0, 0)), target_->size());
    setGeometry(r.adjusted(-kOutset, -kOutset, kOutset, kOutset));
    raise();
    show();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == target_) {
        const QEvent::Type t = event->type();
        if (t == QEvent::Hide || t == QEvent::Show || t == QEvent::Move || t == QEvent::Resize)
            place();
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A 2-pixel line on whole logical pixels stays sharp at every scale factor.
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

}  // namespace tonel
