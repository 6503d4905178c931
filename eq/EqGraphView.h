#pragma once
// The EQ graph frame of a page: draws the page's curves off-screen and copies the finished
// picture in one operation. Takes no mouse input.
//
// The picture is kept, at the screen's pixel density, with a key of everything it depends on:
// the curves as read from the image, the overlay's inputs, the size and the pixel ratio. A
// redraw whose key is unchanged only copies the picture; the grid with its labels is a layer of
// its own, painted once per size and ratio.

#include "eq/EqGraph.h"
#include "eq/math/BandResponseCache.h"

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <functional>

namespace tonel {

class EqGraphView : public QFrame {
    Q_OBJECT
public:
    using CurveSource = std::function<std::vector<EqCurve>()>;
    using Overlay = std::function<void(QPainter&, QSize)>;
    // Everything the overlay reads; an overlay without a key is painted again at every redraw.
    using OverlayKey = std::function<std::vector<std::uint8_t>()>;

    explicit EqGraphView(QWidget* parent = nullptr);

    void setCurveSource(CurveSource source) { source_ = std::move(source); }
    void setOverlay(Overlay overlay, OverlayKey key = {});

    // Draw now (synchronously) from the image.
    void redraw();
    // The picture the frame shows at `ratio`: the kept one while its key is unchanged.
    const QImage& picture(qreal ratio);
    // The picture painted afresh at device pixel ratio 1, nothing kept (tests, snapshots).
    QImage render() const;
    int redrawCount() const { return redrawCount_; }
    // How many pictures were painted rather than copied.
    int paintedPictures() const { return paintedPictures_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct PictureKey {
        std::vector<EqCurve> curves;
        std::vector<std::uint8_t> overlay;
        QSize size;
        qreal ratio = 0;
        friend bool operator==(const PictureKey&, const PictureKey&) = default;
    };
    void paintPicture(QPainter& painter, QSize size) const;
    const QImage& gridLayer(QSize size, qreal ratio);

    CurveSource source_;
    Overlay overlay_;
    OverlayKey overlayKey_;
    int redrawCount_ = 0;
    int paintedPictures_ = 0;
    PictureKey key_;
    QImage picture_;
    QImage grid_;
    BandResponseCache responses_;
};

}  // namespace tonel
