#include "eq/EqGraphText.h"

#include <QFontMetrics>
#include <QPainter>

namespace tonel {

namespace {
const QColor kTextColour(0, 250, 128);
constexpr int kTextCellHeight = 14;  // ascent + descent, as the panel's font height means it

// The largest character size whose cell is no taller than `cellHeight`.
int pixelSizeForCell(QFont font, int cellHeight)
{
    for (int size = cellHeight; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight)
            return size;
    }
    return 1;
}
}  // namespace

TopLeftText::TopLeftText(QFont::Weight weight)
    : font_(QStringLiteral("Arial"))
{
    font_.setWeight(weight);
    font_.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font_.setPixelSize(pixelSizeForCell(font_, kTextCellHeight));
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
