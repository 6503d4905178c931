#pragma once

#include "pages/CPage.h"

namespace tonel {

// Template 131.
class CMicPage : public CPage {
    Q_OBJECT
public:
    CMicPage(PageContext context, QWidget* parent);

    void refreshFromImage() override;
    void redrawGraph() override;
    void applyControlMode() override;
};

}  // namespace tonel
