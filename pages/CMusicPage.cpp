#include "pages/CMusicPage.h"

namespace tonel {

CMusicPage::CMusicPage(PageContext context, QWidget* parent) : CPage(context, 134, parent)
{
    setFixedSize(504 * 2, 296 * 2);
}

void CMusicPage::refreshFromImage() {}
void CMusicPage::redrawGraph() {}
void CMusicPage::applyControlMode() {}

}  // namespace tonel
