#pragma once

#include "pages/CPage.h"

namespace tonel {

// Template 130.
class CEffectPage : public CPage {
    Q_OBJECT
public:
    CEffectPage(PageContext context, QWidget* parent);

    void refreshFromImage() override;
    void redrawGraph() override;
    void applyControlMode() override;
};

}  // namespace tonel
