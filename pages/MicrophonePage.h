#pragma once
// The Microphone page: microphone master and send levels, the two input gains, the microphone dynamics,
// the link that makes microphone 2 follow microphone 1, and seven EQ bands (one per microphone,
// five shared by both).

#include "pages/BoundPage.h"

namespace tonel {

class MicrophonePage : public BoundPage {
    Q_OBJECT
public:
    MicrophonePage(PageContext context, QWidget* parent);

    // Both microphone band columns and both input gains from the image, with their enabling.
    void refreshMicBands();

protected:
    std::vector<EqCurve> curves() const override;
    void afterBandChange(const BandBinding& band) override;

private:
    void linkStepped(SpinArrow arrow);
    void inputGainMoved(std::size_t offset);
};

}  // namespace tonel
