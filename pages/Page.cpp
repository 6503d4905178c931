#include "pages/Page.h"

namespace tonel {

Page::Page(PageContext context, int templateId, QWidget* parent)
    : QWidget(parent), context_(context), templateId_(templateId)
{
    setObjectName(QString::number(templateId));
    // A page paints its own face over the view's black background.
    setAutoFillBackground(true);
}

}  // namespace tonel
