#pragma once
// Frame 1000 of a page: draws the page's curves off-screen and copies the finished picture in one
// operation. Keeps nothing between redraws and takes no mouse input.

#include "eq/EqGraph.h"

#include <QFrame>
#include <functional>

namespace tonel {

class EqGraphView : public QFrame {
    Q_OBJECT
public:
    using CurveSource = std::function<std::vector<EqCurve>()>;
    using Overlay = std::function<void(QPainter&, QSize)>;

    explicit EqGraphView(QWidget* parent = nullptr);

    void setCurveSource(CurveSource source) { source_ = std::move(source); }
    void setOverlay(Overlay overlay) { overlay_ = std::move(overlay); }

    // Draw now (synchronously) from the image.
    void redraw();
    // The picture the frame shows, rendered at device pixel ratio 1 (tests, snapshots).
    QImage render() const;
    int redrawCount() const { return redrawCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPicture(QPainter& painter, QSize size) const;
    CurveSource source_;
    Overlay overlay_;
    int redrawCount_ = 0;
};

}  // namespace tonel
