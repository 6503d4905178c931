#include "controls/PageButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace tonel {

namespace {
// The platform's raised inner edge: a light line on the top and left, a dark one on the
// bottom and right.
const QColor kEdgeLight{255, 255, 255};
const QColor kEdgeShadow{160, 160, 160};
const QColor kGreyBorder{192, 192, 192};
const QColor kHoverBorder{255, 255, 255};
constexpr qreal kCornerRadius = 2.5;  // a 5 x 5 corner ellipse

void drawRaisedInnerEdge(QPainter& painter, const QRect& r)
{
    // r is (left, top, right, bottom) with right and bottom exclusive, as the platform counts.
    const int left = r.left(), top = r.top();
    const int right = r.left() + r.width() - 1, bottom = r.top() + r.height() - 1;
    if (right <= left || bottom <= top)
        return;
    painter.setPen(kEdgeLight);
    painter.drawLine(left, top, right - 1, top);
    painter.drawLine(left, top, left, bottom - 1);
    painter.setPen(kEdgeShadow);
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(right, top, right, bottom);
}
}  // namespace

PageButton::PageButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent),
      disabledTextColor_(palette().color(QPalette::Disabled, QPalette::ButtonText))
{
}

void PageButton::setCaptionColor(const QColor& colour)
{
    captionColor_ = colour;
    update();
}

void PageButton::setFaceColor(const QColor& colour)
{
    faceColor_ = colour;
    update();
}

void PageButton::setHighlight(bool on)
{
    highlight_ = on;
    update();  // the drawing does not depend on it
}

QColor PageButton::borderColor(VisualState state) const
{
    switch (state) {
    case Hover: return kHoverBorder;
    case Disabled: return faceColor_;
    case Normal:
    case Pressed: break;
    }
    return kGreyBorder;
}

QColor PageButton::textColor(VisualState state) const
{
    return state == Disabled ? disabledTextColor_ : captionColor_;
}

QString PageButton::displayedCaption() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, width());
}

void PageButton::paintEvent(QPaintEvent*)
{
    const QRect face = rect();
    // The disabled look follows the window's enabling at every drawing.
    if (state_ == Disabled)
        state_ = Normal;
    if (!isEnabled())
        state_ = Disabled;

    QPainter painter(this);
    painter.setBrush(faceColor_);
    painter.setPen(QPen(borderColor(state_), 1));
    painter.drawRoundedRect(face.adjusted(0, 0, -1, -1), kCornerRadius, kCornerRadius);
    if (state_ != Pressed)
        drawRaisedInnerEdge(painter, face.adjusted(2, 1, 0, 0));

    painter.setPen(textColor(state_));
    painter.drawText(face, Qt::AlignCenter | Qt::TextSingleLine, displayedCaption());

    if (hasFocus())
        drawFocusRect(painter, face.adjusted(3, 2, -3, -2));
}

void PageButton::drawFocusRect(QPainter& painter, const QRect& r)
{
    // A dotted rectangle inside the face, in the caption's colour so it shows on any face.
    QPen dots(textColor(state_), 1, Qt::DotLine);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void PageButton::setVisualState(VisualState state)
{
    state_ = state;
    update();
}

void PageButton::enterEvent(QEnterEvent* event)
{
    if (state_ != Pressed)
        setVisualState(Hover);
    QPushButton::enterEvent(event);
}

void PageButton::leaveEvent(QEvent* event)
{
    if (state_ != Pressed)
        setVisualState(Normal);
    QPushButton::leaveEvent(event);
}

void PageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setVisualState(Pressed);
    QPushButton::mousePressEvent(event);
}

// While the button is held Qt sends no leave until the release: a drag off the button ends the
// held look at once, and a drag back shows the hover face.
void PageButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (!inside && (state_ == Pressed || state_ == Hover))
        setVisualState(Normal);
    else if (inside && state_ == Normal)
        setVisualState(Hover);
    QPushButton::mouseMoveEvent(event);
}

void PageButton::mouseReleaseEvent(QMouseEvent* event)
{
    // Released over the button it is hovered; released elsewhere the pointer has already left.
    if (event->button() == Qt::LeftButton)
        setVisualState(rect().contains(event->position().toPoint()) ? Hover : Normal);
    QPushButton::mouseReleaseEvent(event);
}

}  // namespace tonel
