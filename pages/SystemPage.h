#pragma once
// The System page: the output stage — four output levels, the room, centre and subwoofer
// equalisers, and the system and subwoofer settings beside them. Its graph shows the three
// equalisers as separate curves under the subwoofer's crossover response.

#include "pages/BoundPage.h"

class QPainter;

namespace tonel {

class SystemPage : public BoundPage {
    Q_OBJECT
public:
    SystemPage(PageContext context, QWidget* parent);

    // The crossover overlay of the subwoofer's high-pass and low-pass, drawn after the curves.
    void drawCrossoverOverlay(QPainter& painter, QSize surface) const;

protected:
    std::vector<EqCurve> curves() const override;

private:
    void bindSettings();
};

}  // namespace tonel
