#pragma once

#include "pages/CPage.h"

namespace tonel {

// Template 135.
class CSystemPage : public CPage {
    Q_OBJECT
public:
    CSystemPage(PageContext context, QWidget* parent);

    void refreshFromImage() override;
    void redrawGraph() override;
    void applyControlMode() override;
};

}  // namespace tonel
