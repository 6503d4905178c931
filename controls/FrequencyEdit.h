#pragma once
// The frequency field: swallows typed characters that cannot belong to a frequency (from keys
// or committed by an input method), a typed comma too unless the desktop's locale writes decimals
// with one (then it is the decimal point), hands the focus to the main view when Enter or Escape
// is released, selects all when clicked.

#include <QLineEdit>

namespace tonel {

class FrequencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FrequencyEdit(QWidget* parent = nullptr);

    // Printable ASCII 0x21..0x7E except 0-9 . f k o F K O: 77 characters.
    static bool isRejected(char32_t character);
    // Whether typed text holds a rejected character (the key is then swallowed).
    static bool rejectsText(const QString& text);
    // The text as typed into the field: rejected characters go, a comma becomes the full stop
    // where it is the decimal point.
    static QString withoutRejected(const QString& text);
    // Whether the desktop's locale (QLocale()) writes decimals with a comma.
    static bool typedCommaIsDecimalPoint();

signals:
    // The field lost the keyboard focus, whatever the reason (the page then reads the entry).
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Opens the edit's standard menu without waiting for it (tests replace it).
    virtual void showContextMenu(const QPoint& globalPos);
};

}  // namespace tonel
