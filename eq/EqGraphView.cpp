#include "eq/EqGraphView.h"

#include <QImage>
#include <QPainter>

namespace tonel {

EqGraphView::EqGraphView(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("1000"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The page under the graph follows the mouse; the graph itself takes no input.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The picture covers the client area and the frame its border: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EqGraphView::redraw()
{
    ++redrawCount_;
    if (isVisible())
        repaint();
}

QImage EqGraphView::render() const
{
    QImage picture(contentsRect().size(), QImage::Format_RGB32);
    if (picture.isNull())
        return picture;  // a frame without client area has no picture
    QPainter painter(&picture);
    paintPicture(painter, picture.size());
    return picture;
}

void EqGraphView::paintEvent(QPaintEvent*)
{
    const QRect client = contentsRect();
    QPainter painter(this);
    if (!client.isEmpty()) {
        // Drawn off-screen at the screen's pixel density, then copied in one operation, so the
        // frame never shows a half-drawn picture.
        const qreal ratio = devicePixelRatioF();
        QImage picture(client.size() * ratio, QImage::Format_RGB32);
        picture.setDevicePixelRatio(ratio);
        {
            QPainter offscreen(&picture);
            paintPicture(offscreen, client.size());
        }
        painter.drawImage(client.topLeft(), picture);
    }
    drawFrame(&painter);
}

void EqGraphView::paintPicture(QPainter& painter, QSize size) const
{
    const std::vector<EqCurve> curves = source_ ? source_() : std::vector<EqCurve>{};
    drawEqGraph(size, curves, painter);
    if (overlay_)
        overlay_(painter, size);
}

}  // namespace tonel
