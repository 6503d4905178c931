#include "pages/DisplayField.h"

namespace tonel {

DisplayField::DisplayField(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DisplayField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // The page's parent is the main view.
    QWidget* page = parentWidget();
    QWidget* view = page ? page->parentWidget() : nullptr;
    if (view)
        view->setFocus(Qt::OtherFocusReason);
    else
        clearFocus();
}

}  // namespace tonel
