#pragma once
// The Music page's controls, in the order its template lists them. A widget's object name is its
// id in decimal; the EQ graph frame is res::GraphFrame.

#include "res/BandColumn.h"

namespace tonel::res::music {

enum Control : int {
    // Music volume: main level and the sends, value field above each slider.
    MainLevelField = 1175,
    MainLevelSlider = 1094,
    SendLeftRightField = 1176,
    SendLeftRightSlider = 1177,
    SendCentreField = 1178,
    SendCentreSlider = 1179,
    SendSubField = 1006,
    SendSubSlider = 1005,
    SendAux1Field = 1180,
    SendAux1Slider = 1181,
    SendAux2Field = 1182,
    SendAux2Slider = 1011,

    // Music parametric EQ, one column per band.
    Eq1GainField = 1118,
    Eq1GainSlider = 1119,
    Eq1FreqField = 1122,
    Eq1FreqSpin = 1120,
    Eq1QField = 1123,
    Eq1QSpin = 1121,
    Eq1TypeButton = 1124,
    Eq2GainField = 1125,
    Eq2GainSlider = 1126,
    Eq2FreqField = 1129,
    Eq2FreqSpin = 1127,
    Eq2QField = 1130,
    Eq2QSpin = 1128,
    Eq2TypeButton = 1131,
    Eq3GainField = 1132,
    Eq3GainSlider = 1133,
    Eq3FreqField = 1136,
    Eq3FreqSpin = 1134,
    Eq3QField = 1137,
    Eq3QSpin = 1135,
    Eq3TypeButton = 1138,
    Eq4GainField = 1139,
    Eq4GainSlider = 1140,
    Eq4FreqField = 1141,
    Eq4FreqSpin = 1144,
    Eq4QField = 1142,
    Eq4QSpin = 1145,
    Eq4TypeButton = 1143,
    Eq5GainField = 1146,
    Eq5GainSlider = 1147,
    Eq5FreqField = 1150,
    Eq5FreqSpin = 1148,
    Eq5QField = 1151,
    Eq5QSpin = 1149,
    Eq5TypeButton = 1152,

    // Music parameters: read-out and spin per row.
    MaxLevelField = 1183,
    MaxLevelSpin = 1184,
    NoiseGateField = 1171,
    NoiseGateSpin = 1166,
    LimiterField = 1172,
    LimiterSpin = 1167,
    AutoGainField = 1173,
    AutoGainSpin = 1168,
    InputSourceField = 1185,
    InputSourceSpin = 1186,

    // Input gain: the music input and the background music.
    InputGainField = 1049,
    InputGainSlider = 1048,
    BgmGainField = 1051,
    BgmGainSlider = 1050,
};

// The five EQ band columns, left to right.
inline constexpr BandColumn kEqColumns[] = {
    {Eq1TypeButton, Eq1GainSlider, Eq1GainField, Eq1FreqField, Eq1FreqSpin, Eq1QField, Eq1QSpin},
    {Eq2TypeButton, Eq2GainSlider, Eq2GainField, Eq2FreqField, Eq2FreqSpin, Eq2QField, Eq2QSpin},
    {Eq3TypeButton, Eq3GainSlider, Eq3GainField, Eq3FreqField, Eq3FreqSpin, Eq3QField, Eq3QSpin},
    {Eq4TypeButton, Eq4GainSlider, Eq4GainField, Eq4FreqField, Eq4FreqSpin, Eq4QField, Eq4QSpin},
    {Eq5TypeButton, Eq5GainSlider, Eq5GainField, Eq5FreqField, Eq5FreqSpin, Eq5QField, Eq5QSpin},
};

}  // namespace tonel::res::music
