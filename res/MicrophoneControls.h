#pragma once
// The Microphone page's controls, in the order its template lists them. The EQ graph frame is
// res::GraphFrame. A widget's object name is its id in decimal.

#include "res/BandColumn.h"

namespace tonel::res::mic {

enum Control : int {
    // Microphone volume: main level and the four sends.
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

    // Microphone EQ: each microphone's own band.
    Mic1BandGainField = 1108,
    Mic1BandGainSlider = 1110,
    Mic1BandFreqField = 1158,
    Mic1BandFreqSpin = 1113,
    Mic1BandQField = 1159,
    Mic1BandQSpin = 1114,
    Mic1BandTypeButton = 1116,
    Mic2BandGainField = 1109,
    Mic2BandGainSlider = 1111,
    Mic2BandFreqField = 1160,
    Mic2BandFreqSpin = 1112,
    Mic2BandQField = 1161,
    Mic2BandQSpin = 1115,
    Mic2BandTypeButton = 1117,

    // Microphone EQ: the five bands both microphones share.
    SharedBand1GainField = 1118,
    SharedBand1GainSlider = 1119,
    SharedBand1FreqField = 1122,
    SharedBand1FreqSpin = 1120,
    SharedBand1QField = 1123,
    SharedBand1QSpin = 1121,
    SharedBand1TypeButton = 1124,
    SharedBand2GainField = 1125,
    SharedBand2GainSlider = 1126,
    SharedBand2FreqField = 1129,
    SharedBand2FreqSpin = 1127,
    SharedBand2QField = 1130,
    SharedBand2QSpin = 1128,
    SharedBand2TypeButton = 1131,
    SharedBand3GainField = 1132,
    SharedBand3GainSlider = 1133,
    SharedBand3FreqField = 1136,
    SharedBand3FreqSpin = 1134,
    SharedBand3QField = 1137,
    SharedBand3QSpin = 1135,
    SharedBand3TypeButton = 1138,
    SharedBand4GainField = 1139,
    SharedBand4GainSlider = 1140,
    SharedBand4FreqField = 1141,
    SharedBand4FreqSpin = 1144,
    SharedBand4QField = 1142,
    SharedBand4QSpin = 1145,
    SharedBand4TypeButton = 1143,
    SharedBand5GainField = 1146,
    SharedBand5GainSlider = 1147,
    SharedBand5FreqField = 1150,
    SharedBand5FreqSpin = 1148,
    SharedBand5QField = 1151,
    SharedBand5QSpin = 1149,
    SharedBand5TypeButton = 1152,

    // Microphone parameters: a read-out and its spin per row.
    MaxLevelField = 1162,
    MaxLevelSpin = 1164,
    ExciterField = 1170,
    ExciterSpin = 1165,
    NoiseGateField = 1171,
    NoiseGateSpin = 1166,
    LimiterField = 1172,
    LimiterSpin = 1167,
    AutoGainField = 1173,
    AutoGainSpin = 1168,
    MicLinkField = 1174,  // microphone 2 follows microphone 1
    MicLinkSpin = 1169,
    FeedbackSuppressionField = 1175,
    FeedbackSuppressionSpin = 1176,

    // Input gain of the two microphones.
    Mic1InputGainField = 1154,
    Mic1InputGainSlider = 1155,
    Mic2InputGainField = 1156,
    Mic2InputGainSlider = 1157,
};

// Each microphone's own band column.
inline constexpr BandColumn kMicBandColumns[] = {
    {Mic1BandTypeButton, Mic1BandGainSlider, Mic1BandGainField, Mic1BandFreqField,
     Mic1BandFreqSpin, Mic1BandQField, Mic1BandQSpin},
    {Mic2BandTypeButton, Mic2BandGainSlider, Mic2BandGainField, Mic2BandFreqField,
     Mic2BandFreqSpin, Mic2BandQField, Mic2BandQSpin},
};

// The five band columns both microphones share.
inline constexpr BandColumn kSharedBandColumns[] = {
    {SharedBand1TypeButton, SharedBand1GainSlider, SharedBand1GainField, SharedBand1FreqField,
     SharedBand1FreqSpin, SharedBand1QField, SharedBand1QSpin},
    {SharedBand2TypeButton, SharedBand2GainSlider, SharedBand2GainField, SharedBand2FreqField,
     SharedBand2FreqSpin, SharedBand2QField, SharedBand2QSpin},
    {SharedBand3TypeButton, SharedBand3GainSlider, SharedBand3GainField, SharedBand3FreqField,
     SharedBand3FreqSpin, SharedBand3QField, SharedBand3QSpin},
    {SharedBand4TypeButton, SharedBand4GainSlider, SharedBand4GainField, SharedBand4FreqField,
     SharedBand4FreqSpin, SharedBand4QField, SharedBand4QSpin},
    {SharedBand5TypeButton, SharedBand5GainSlider, SharedBand5GainField, SharedBand5FreqField,
     SharedBand5FreqSpin, SharedBand5QField, SharedBand5QSpin},
};

}  // namespace tonel::res::mic
