#pragma once
// The Music page: music master and send levels, the input and background-music gains, the music
// dynamics, the input source and a five-band EQ.

#include "pages/BoundPage.h"

namespace tonel {

class MusicPage : public BoundPage {
    Q_OBJECT
public:
    MusicPage(PageContext context, QWidget* parent);

protected:
    std::vector<EqCurve> curves() const override;
};

}  // namespace tonel
