#include "eq/EqGraphText.h"

#include <QFontMetrics>
#include <QPainter>

namespace tonel {

namespace {
const QColor kTextColour(0, 250, 128);
constexpr int kTextPixelHeight = 14;
}  // namespace

TopLeftText::TopLeftText(QFont::Weight weight)
    : font_(QStringLiteral("Arial"))
{
    font_.setPixelSize(kTextPixelHeight);
    font_.setWeight(weight);
    font_.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    ascent_ = QFontMetrics(font_).ascent();
}

void TopLeftText::draw(QPainter& painter, int left, int top, const QString& text) const
{
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(kTextColour);
    painter.drawText(QPoint(left, top + ascent_), text);
}

}  // namespace tonel
