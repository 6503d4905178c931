#pragma once
// The up-down control: upper half is the up arrow (delta -1), lower half the down arrow
// (delta +1); auto-repeat while held. It keeps no position of its own.

#include <QTimer>
#include <QWidget>

namespace tonel {

class CSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 16;
    explicit CSpinButton(QWidget* parent = nullptr);

    // Same as a click on an arrow (for keyboard use and tests).
    void stepUp() { emit deltaPos(-1); }
    void stepDown() { emit deltaPos(+1); }
    // An arrow is held and repeats.
    bool isRepeating() const { return repeat_.isActive(); }

signals:
    void deltaPos(int delta);  // negative: up arrow; zero or positive: down arrow

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRect upRect() const;
    QRect downRect() const;
    void fire();
    int pressedDelta_ = 0;  // 0: none held
    QTimer repeat_;
};

}  // namespace tonel
