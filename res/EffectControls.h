#pragma once
// The Effect page's controls, in its template's order. The EQ graph frame is res::GraphFrame.
// A widget's object name is its id in decimal.

#include "res/BandColumn.h"

namespace tonel::res::effect {

enum Control : int {
    // The two-band EQ, one column per band.
    Eq1GainField = 1079,
    Eq1GainSlider = 1081,
    Eq1FreqField = 1083,
    Eq1FreqSpin = 1089,
    Eq1QField = 1084,
    Eq1QSpin = 1090,
    Eq1TypeButton = 1085,
    Eq2GainField = 1080,
    Eq2GainSlider = 1082,
    Eq2FreqField = 1086,
    Eq2FreqSpin = 1091,
    Eq2QField = 1087,
    Eq2QSpin = 1092,
    Eq2TypeButton = 1088,

    // The main level and the four sends.
    MainLevelField = 1093,
    MainLevelSlider = 1094,
    SendLeftRightField = 1095,
    SendLeftRightSlider = 1096,
    SendCentreField = 1097,
    SendCentreSlider = 1098,
    SendAux1Field = 1099,
    SendAux1Slider = 1100,
    SendAux2Field = 1101,
    SendAux2Slider = 1102,

    // The extension switch and the four amounts.
    ExtensionField = 1103,
    ExtensionSpin = 1104,
    DelayField = 1016,
    DelaySlider = 1105,
    RepeatField = 1019,
    RepeatSlider = 1106,
    ReverbTimeField = 1022,
    ReverbTimeSlider = 1107,
    ReverbEchoMixField = 1024,
    ReverbEchoMixSlider = 1023,
};

// The two EQ band columns, left to right.
inline constexpr BandColumn kEqColumns[] = {
    {Eq1TypeButton, Eq1GainSlider, Eq1GainField, Eq1FreqField, Eq1FreqSpin, Eq1QField, Eq1QSpin},
    {Eq2TypeButton, Eq2GainSlider, Eq2GainField, Eq2FreqField, Eq2FreqSpin, Eq2QField, Eq2QSpin},
};

}  // namespace tonel::res::effect
