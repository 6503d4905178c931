#pragma once
// The Effect page: one effect program — master and send levels, echo/reverb amounts, the extension
// switch and a two-band EQ. It edits the program global.effectProgram selects at each moment.

#include "pages/BoundPage.h"

namespace tonel {

class EffectPage : public BoundPage {
    Q_OBJECT
public:
    EffectPage(PageContext context, QWidget* parent);

protected:
    std::vector<EqCurve> curves() const override;
};

}  // namespace tonel
