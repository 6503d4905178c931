#pragma once

#include "pages/CPage.h"

namespace tonel {

// Template 134.
class CMusicPage : public CPage {
    Q_OBJECT
public:
    CMusicPage(PageContext context, QWidget* parent);

    void refreshFromImage() override;
    void redrawGraph() override;
    void applyControlMode() override;
};

}  // namespace tonel
