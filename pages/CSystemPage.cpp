#include "pages/CSystemPage.h"

namespace tonel {

CSystemPage::CSystemPage(PageContext context, QWidget* parent) : CPage(context, 135, parent)
{
    setFixedSize(505 * 2, 296 * 2);
}

void CSystemPage::refreshFromImage() {}
void CSystemPage::redrawGraph() {}
void CSystemPage::applyControlMode() {}

}  // namespace tonel
