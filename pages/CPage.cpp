#include "pages/CPage.h"

namespace tonel {

CPage::CPage(PageContext context, int templateId, QWidget* parent)
    : QWidget(parent), context_(context), templateId_(templateId)
{
    setObjectName(QString::number(templateId));
}

}  // namespace tonel
