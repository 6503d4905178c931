#pragma once
// A spin's two arrows beside its field: upper half is the up arrow, lower half the down arrow;
// auto-repeat while held. It keeps no position of its own: what a step does is up to whoever
// listens. From the keyboard, Up and Down are one click on an arrow, Page Up and Page Down a run
// of clicks where a page step is set; its buddy field passes those keys on.

#include <QTimer>
#include <QWidget>

#include <optional>

namespace tonel {

// Which arrow a step came from.
enum class SpinDirection { Up, Down };

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 16;
    explicit SpinArrows(QWidget* parent = nullptr);

    // Same as a click on an arrow (for keyboard use and tests).
    void stepUp() { emit stepped(SpinDirection::Up); }
    void stepDown() { emit stepped(SpinDirection::Down); }
    // An arrow is held and repeats.
    bool isRepeating() const { return repeat_.isActive(); }

    // Clicks per Page Up / Page Down; below 2 those keys are left to the parent.
    void setPageStep(int clicks) { pageStep_ = clicks; }
    int pageStep() const { return pageStep_; }
    // The field beside the spin: its arrow keys step the spin.
    void setBuddy(QWidget* field);
    QWidget* buddy() const { return buddy_; }

signals:
    void stepped(SpinDirection direction);

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
    void stepHeldArrow();
    bool stepByKey(const QKeyEvent* event);  // false: not a key of the spin's
    std::optional<SpinDirection> heldArrow_;  // the arrow the mouse holds down
    int pageStep_ = 0;
    QWidget* buddy_ = nullptr;
    QTimer repeat_;
};

}  // namespace tonel
