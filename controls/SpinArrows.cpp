#include "controls/SpinArrows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWheelEvent>

#include <algorithm>

namespace tonel {

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 50;

void drawArrow(QPainter& painter, const QRect& half, bool up, const QColor& colour)
{
    const QPointF c = QRectF(half).center();
    const qreal w = std::min<qreal>(3.5, half.width() / 4.0);
    const qreal h = std::min<qreal>(2.0, half.height() / 4.0);
    const qreal dir = up ? -1 : 1;
    const QPointF tri[3] = {{c.x() - w, c.y() - dir * h}, {c.x() + w, c.y() - dir * h}, {c.x(), c.y() + dir * h}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(tri, 3);
}
}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent)
{
    setFixedWidth(kWidth);
    // Tab and a click give it the keyboard, as Qt's own spin boxes take it: the next Up or Down
    // steps it. A field being typed in loses the focus first, so its entry is read before the step.
    setFocusPolicy(Qt::WheelFocus);
    repeat_.setSingleShot(false);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatMs);
        stepHeldArrow();
    });
}

QRect SpinArrows::upRect() const { return QRect(0, 0, width(), height() / 2); }

QRect SpinArrows::downRect() const
{
    const int top = height() / 2;
    return QRect(0, top, width(), height() - top);
}

void SpinArrows::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool enabled = isEnabled();
    for (const bool up : {true, false}) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = up ? upRect() : downRect();
        const bool held = heldArrow_ == (up ? SpinDirection::Up : SpinDirection::Down);
        option.state |= held ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        const QColor arrow = palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
        drawArrow(painter, option.rect, up, arrow);
    }
}

void SpinArrows::setBuddy(QWidget* field)
{
    if (buddy_ != nullptr)
        buddy_->removeEventFilter(this);
    buddy_ = field;
    if (buddy_ != nullptr)
        buddy_->installEventFilter(this);
}

bool SpinArrows::stepByKey(const QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int key = event->key();
    const bool page = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (!page && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    if (page && pageStep_ < 2)
        return false;
    const bool up = key == Qt::Key_Up || key == Qt::Key_PageUp;
    const SpinDirection direction = up ? SpinDirection::Up : SpinDirection::Down;
    for (int click = page ? pageStep_ : 1; click > 0; --click)
        emit stepped(direction);
    return true;
}

void SpinArrows::keyPressEvent(QKeyEvent* event)
{
    if (stepByKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress)
        return stepByKey(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    heldArrow_ = event->position().y() < height() / 2 ? SpinDirection::Up : SpinDirection::Down;
    stepHeldArrow();
    repeat_.start(kFirstRepeatMs);
    update();
}

void SpinArrows::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    repeat_.stop();
    heldArrow_.reset();
    update();
}

void SpinArrows::wheelEvent(QWheelEvent* event)
{
    const int wheel = event->angleDelta().y();
    if (wheel > 0)
        stepUp();
    else if (wheel < 0)
        stepDown();
    event->accept();
}

void SpinArrows::hideEvent(QHideEvent* event)
{
    // A page hidden while an arrow is held must not keep stepping.
    repeat_.stop();
    heldArrow_.reset();
    QWidget::hideEvent(event);
}

void SpinArrows::stepHeldArrow()
{
    if (heldArrow_)
        emit stepped(*heldArrow_);
}

}  // namespace tonel
