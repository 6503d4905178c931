#include "controls/FrequencyEdit.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>

namespace tonel {

namespace {
bool isEnterOrEscape(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// Control and Meta combinations are editing shortcuts (select all, copy, paste), not typing.
bool isShortcut(const QKeyEvent& event)
{
    return (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
}
}  // namespace

FrequencyEdit::FrequencyEdit(QWidget* parent) : QLineEdit(parent) {}

bool FrequencyEdit::isRejected(char32_t character)
{
    if (character < 0x21 || character > 0x7E)
        return false;  // space, control characters and everything beyond ASCII pass
    if (character >= U'0' && character <= U'9')
        return false;
    switch (character) {
    case U'.': case U'f': case U'k': case U'o': case U'F': case U'K': case U'O':
        return false;
    default:
        return true;
    }
}

bool FrequencyEdit::rejectsText(const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        if (isRejected(c))
            return true;
    }
    return false;
}

void FrequencyEdit::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape act on their release; the press must not trigger anything else.
    if (isEnterOrEscape(event->key())) {
        event->accept();
        return;
    }
    if (!isShortcut(*event) && typedCommaIsDecimalPoint() && event->text().contains(QLatin1Char(','))) {
        QKeyEvent point(event->type(), event->key(), event->modifiers(), withoutRejected(event->text()),
                        event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&point);
        event->accept();
        return;
    }
    if (!isShortcut(*event) && rejectsText(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool FrequencyEdit::typedCommaIsDecimalPoint() { return QLocale().decimalPoint() == QStringLiteral(","); }

QString FrequencyEdit::withoutRejected(const QString& text)
{
    const bool decimalComma = typedCommaIsDecimalPoint();
    QString kept;
    for (char32_t c : text.toUcs4()) {
        // Where the desktop writes decimals with a comma (its keypad types one), swallowing it would
        // turn 1,5k into 15k; elsewhere it separates thousands and goes, as any rejected character.
        if (c == U',' && decimalComma)
            c = U'.';
        if (!isRejected(c))
            kept += QString::fromUcs4(&c, 1);
    }
    return kept;
}

// An input method (fcitx, IBus) commits text without key presses: it is filtered the same way.
void FrequencyEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!rejectsText(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(withoutRejected(event->commitString()), event->replacementStart(),
                             event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void FrequencyEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (!isEnterOrEscape(event->key())) {
        QLineEdit::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // The page's parent (the main view) takes the focus; losing it makes the page read the entry.
    QWidget* page = parentWidget();
    QWidget* target = page != nullptr ? page->parentWidget() : nullptr;
    if (target == nullptr)
        target = window();
    if (target != this)
        target->setFocus(Qt::OtherFocusReason);
}

void FrequencyEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        selectAll();
    } else if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        showContextMenu(event->globalPosition().toPoint());
    }
}

void FrequencyEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // A right click shows the menu from its release, after the text is selected; the keyboard's
    // menu key still opens it at once.
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->accept();
        return;
    }
    showContextMenu(event->globalPos());
}

void FrequencyEdit::showContextMenu(const QPoint& globalPos)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void FrequencyEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Our own context menu takes the focus only for a moment; it is not the user leaving.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

}  // namespace tonel
