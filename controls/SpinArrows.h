#pragma once
// The up-down control: upper half is the up arrow (delta -1), lower half the down arrow
// (delta +1); auto-repeat while held. It keeps no position of its own. From the keyboard, Up and
// Down are one click on an arrow, Page Up and Page Down a run of clicks where a page step is set;
// its buddy field passes those keys on.

#include <QTimer>
#include <QWidget>

namespace tonel {

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 16;
    explicit SpinArrows(QWidget* parent = nullptr);

    // Same as a click on an arrow (for keyboard use and tests).
    void stepUp() { emit deltaPos(-1); }
    void stepDown() { emit deltaPos(+1); }
    // An arrow is held and repeats.
    bool isRepeating() const { return repeat_.isActive(); }

    // Clicks per Page Up / Page Down; below 2 those keys are left to the parent.
    void setPageStep(int clicks) { pageStep_ = clicks; }
    int pageStep() const { return pageStep_; }
    // The field beside the spin: its arrow keys step the spin.
    void setBuddy(QWidget* field);
    QWidget* buddy() const { return buddy_; }

signals:
    void deltaPos(int delta);  // negative: up arrow; zero or positive: down arrow

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect upRect() const;
    QRect downRect() const;
    void fire();
    bool stepByKey(const QKeyEvent* event);  // false: not a key of the spin's
    int pressedDelta_ = 0;  // 0: none held
    int pageStep_ = 0;
    QWidget* buddy_ = nullptr;
    QTimer repeat_;
};

}  // namespace tonel
