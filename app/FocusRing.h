#pragma once
// A ring drawn around whichever control inside an area has the keyboard focus, so the focus is
// plain to see on every kind of control, whatever the style draws for it.

#include <QPointer>
#include <QWidget>

namespace tonel {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOutset = 3;  // pixels around the control
    explicit FocusRing(QWidget* area);

    // The control the ring is drawn around; null while the focus is elsewhere.
    QWidget* target() const { return target_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* focused);
    void place();

    QPointer<QWidget> target_;
};

}  // namespace tonel
