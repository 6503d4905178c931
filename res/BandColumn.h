#pragma once
// The seven controls of one EQ band column, as a page's template declares them.

namespace tonel::res {

struct BandColumn {
    int typeButton;
    int gainSlider;
    int gainField;
    int freqField;
    int freqSpin;
    int qField;
    int qSpin;
};

}  // namespace tonel::res
