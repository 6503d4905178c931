#include "eq/EqGraphView.h"

#include <QPainter>
#include <cstring>

namespace tonel {

EqGraphView::EqGraphView(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The page under the graph follows the mouse; the graph itself takes no input.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The picture covers the client area and the frame its border: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EqGraphView::setOverlay(Overlay overlay, OverlayKey key)
{
    overlay_ = std::move(overlay);
    overlayKey_ = std::move(key);
    picture_ = QImage();  // whatever was kept was painted without it
}

void EqGraphView::redraw()
{
    ++redrawCount_;
    if (isVisible())
        repaint();
}

const QImage& EqGraphView::gridLayer(QSize size, qreal ratio)
{
    if (grid_.size() != size * ratio || grid_.devicePixelRatio() != ratio) {
        grid_ = QImage(size * ratio, QImage::Format_RGB32);
        grid_.setDevicePixelRatio(ratio);
        QPainter painter(&grid_);
        drawEqGrid(size, painter);
    }
    return grid_;
}

const QImage& EqGraphView::picture(qreal ratio)
{
    PictureKey key{source_ ? source_() : std::vector<EqCurve>{}, overlayKey_ ? overlayKey_() : std::vector<std::uint8_t>{},
                   contentsRect().size(), ratio};
    const bool overlayUnknown = overlay_ && !overlayKey_;
    if (!picture_.isNull() && !overlayUnknown && key == key_)
        return picture_;

    key_ = PictureKey{};
    if (key.size.isEmpty()) {
        picture_ = QImage();
        return picture_;  // a frame without client area has no picture
    }
    // The grid layer is the first thing painted; a copy of it replaces the background and grid.
    const QImage& grid = gridLayer(key.size, ratio);
    if (picture_.size() != grid.size() || picture_.devicePixelRatio() != ratio) {
        picture_ = QImage(grid.size(), grid.format());
        picture_.setDevicePixelRatio(ratio);
    }
    std::memcpy(picture_.bits(), grid.constBits(), static_cast<std::size_t>(grid.sizeInBytes()));
    {
        QPainter painter(&picture_);
        drawEqCurves(key.size, key.curves, painter, &responses_);
        if (overlay_)
            overlay_(painter, key.size);
    }
    ++paintedPictures_;
    key_ = std::move(key);
    return picture_;
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
    if (!client.isEmpty())
        painter.drawImage(client.topLeft(), picture(devicePixelRatioF()));
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
