#include "pages/CEffectPage.h"

namespace tonel {

CEffectPage::CEffectPage(PageContext context, QWidget* parent) : CPage(context, 130, parent)
{
    setFixedSize(504 * 2, 296 * 2);
}

void CEffectPage::refreshFromImage() {}
void CEffectPage::redrawGraph() {}
void CEffectPage::applyControlMode() {}

}  // namespace tonel
