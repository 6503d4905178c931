#include "pages/CMicPage.h"

namespace tonel {

CMicPage::CMicPage(PageContext context, QWidget* parent) : CPage(context, 131, parent)
{
    setFixedSize(504 * 2, 296 * 2);
}

void CMicPage::refreshFromImage() {}
void CMicPage::redrawGraph() {}
void CMicPage::applyControlMode() {}

}  // namespace tonel
