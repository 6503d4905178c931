#pragma once
// The page button, painted by itself: rounded face in a colour the main view chooses, raised
// inner edge, white border while hovered, flat while held down.

#include <QColor>
#include <QPushButton>
#include <QRect>

class QPainter;

namespace tonel {

class PageButton : public QPushButton {
    Q_OBJECT
public:
    enum VisualState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    explicit PageButton(const QString& caption, QWidget* parent = nullptr);

    void setCaptionColor(const QColor& colour);
    void setFaceColor(const QColor& colour);

    VisualState visualState() const { return state_; }
    QColor captionColor() const { return captionColor_; }
    QColor faceColor() const { return faceColor_; }
    QColor disabledTextColor() const { return disabledTextColor_; }
    // Border colour of a state (the disabled state borrows the face colour).
    QColor borderColor(VisualState state) const;
    QColor textColor(VisualState state) const;
    // The caption as drawn: one line, ending in an ellipsis when it does not fit.
    QString displayedCaption() const;

    // The main view marks the shown page's button; the drawing does not depend on it.
    void setHighlight(bool on);
    bool highlight() const { return highlight_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setVisualState(VisualState state);
    void drawFocusRect(QPainter& painter, const QRect& r);

    VisualState state_ = Normal;
    bool highlight_ = false;
    QColor captionColor_{0, 0, 0};
    QColor faceColor_{243, 243, 243};
    QColor disabledTextColor_;
};

}  // namespace tonel
