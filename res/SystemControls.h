#pragma once
// The System page's controls, in the order its template lists them. The EQ graph is
// res::GraphFrame. A widget's object name is its id in decimal.

#include "res/BandColumn.h"

namespace tonel::res::system {

enum Control : int {
    // Output volume: each level's read-out above its slider.
    CentreLevelField = 1178,
    CentreLevelSlider = 1179,
    SubwooferLevelField = 1006,
    SubwooferLevelSlider = 1005,
    Aux1LevelField = 1180,
    Aux1LevelSlider = 1181,
    Aux2LevelField = 1182,
    Aux2LevelSlider = 1011,

    // System settings. Each surround delay shows in milliseconds and in metres, and each of its
    // two fields has a spin that steps the same delay.
    EffectProgramField = 1012,
    EffectProgramSpin = 1078,
    PanelLockField = 1079,
    PanelLockSpin = 1080,
    DisplayContrastField = 1081,
    DisplayContrastSpin = 1082,
    Aux1DelayField = 1083,
    Aux1DelaySpin = 1084,
    Aux1DistanceField = 1085,
    Aux1DistanceSpin = 1086,
    Aux2DelayField = 1087,
    Aux2DelaySpin = 1088,
    Aux2DistanceField = 1089,
    Aux2DistanceSpin = 1090,

    // Subwoofer settings.
    SubwooferPhaseField = 1190,
    SubwooferPhaseSpin = 1194,
    SubwooferHighPassField = 1191,
    SubwooferHighPassSpin = 1195,
    SubwooferLowPassField = 1198,
    SubwooferLowPassSpin = 1196,
    SubwooferAutoAttenuationField = 1192,
    SubwooferAutoAttenuationSpin = 1197,

    // The band columns, left to right: room 1-7, centre 1-2, subwoofer 1-2, each top to bottom.
    RoomEq1GainField = 1026,
    RoomEq1GainSlider = 1013,
    RoomEq1FreqField = 1027,
    RoomEq1FreqSpin = 1064,
    RoomEq1QField = 1028,
    RoomEq1QSpin = 1065,
    RoomEq1TypeButton = 1017,
    RoomEq2GainField = 1031,
    RoomEq2GainSlider = 1014,
    RoomEq2FreqField = 1029,
    RoomEq2FreqSpin = 1066,
    RoomEq2QField = 1030,
    RoomEq2QSpin = 1077,
    RoomEq2TypeButton = 1021,
    RoomEq3GainField = 1034,
    RoomEq3GainSlider = 1015,
    RoomEq3FreqField = 1032,
    RoomEq3FreqSpin = 1189,
    RoomEq3QField = 1033,
    RoomEq3QSpin = 1068,
    RoomEq3TypeButton = 1022,
    RoomEq4GainField = 1187,
    RoomEq4GainSlider = 1016,
    RoomEq4FreqField = 1188,
    RoomEq4FreqSpin = 1069,
    RoomEq4QField = 1036,
    RoomEq4QSpin = 1070,
    RoomEq4TypeButton = 1023,
    RoomEq5GainField = 1040,
    RoomEq5GainSlider = 1018,
    RoomEq5FreqField = 1038,
    RoomEq5FreqSpin = 1071,
    RoomEq5QField = 1039,
    RoomEq5QSpin = 1072,
    RoomEq5TypeButton = 1024,
    RoomEq6GainField = 1043,
    RoomEq6GainSlider = 1019,
    RoomEq6FreqField = 1041,
    RoomEq6FreqSpin = 1073,
    RoomEq6QField = 1042,
    RoomEq6QSpin = 1074,
    RoomEq6TypeButton = 1025,
    RoomEq7GainField = 1123,
    RoomEq7GainSlider = 1121,
    RoomEq7FreqField = 1117,
    RoomEq7FreqSpin = 1118,
    RoomEq7QField = 1119,
    RoomEq7QSpin = 1120,
    RoomEq7TypeButton = 1122,
    CentreEq1GainField = 1130,
    CentreEq1GainSlider = 1128,
    CentreEq1FreqField = 1124,
    CentreEq1FreqSpin = 1125,
    CentreEq1QField = 1126,
    CentreEq1QSpin = 1127,
    CentreEq1TypeButton = 1129,
    CentreEq2GainField = 1106,
    CentreEq2GainSlider = 1104,
    CentreEq2FreqField = 1093,
    CentreEq2FreqSpin = 1094,
    CentreEq2QField = 1095,
    CentreEq2QSpin = 1096,
    CentreEq2TypeButton = 1105,
    SubwooferEq1GainField = 1109,
    SubwooferEq1GainSlider = 1107,
    SubwooferEq1FreqField = 1097,
    SubwooferEq1FreqSpin = 1098,
    SubwooferEq1QField = 1099,
    SubwooferEq1QSpin = 1100,
    SubwooferEq1TypeButton = 1108,
    SubwooferEq2GainField = 1116,
    SubwooferEq2GainSlider = 1114,
    SubwooferEq2FreqField = 1110,
    SubwooferEq2FreqSpin = 1111,
    SubwooferEq2QField = 1112,
    SubwooferEq2QSpin = 1113,
    SubwooferEq2TypeButton = 1115,
};

// The room EQ's seven band columns.
inline constexpr BandColumn kRoomEqColumns[] = {
    {RoomEq1TypeButton, RoomEq1GainSlider, RoomEq1GainField, RoomEq1FreqField,
     RoomEq1FreqSpin, RoomEq1QField, RoomEq1QSpin},
    {RoomEq2TypeButton, RoomEq2GainSlider, RoomEq2GainField, RoomEq2FreqField,
     RoomEq2FreqSpin, RoomEq2QField, RoomEq2QSpin},
    {RoomEq3TypeButton, RoomEq3GainSlider, RoomEq3GainField, RoomEq3FreqField,
     RoomEq3FreqSpin, RoomEq3QField, RoomEq3QSpin},
    {RoomEq4TypeButton, RoomEq4GainSlider, RoomEq4GainField, RoomEq4FreqField,
     RoomEq4FreqSpin, RoomEq4QField, RoomEq4QSpin},
    {RoomEq5TypeButton, RoomEq5GainSlider, RoomEq5GainField, RoomEq5FreqField,
     RoomEq5FreqSpin, RoomEq5QField, RoomEq5QSpin},
    {RoomEq6TypeButton, RoomEq6GainSlider, RoomEq6GainField, RoomEq6FreqField,
     RoomEq6FreqSpin, RoomEq6QField, RoomEq6QSpin},
    {RoomEq7TypeButton, RoomEq7GainSlider, RoomEq7GainField, RoomEq7FreqField,
     RoomEq7FreqSpin, RoomEq7QField, RoomEq7QSpin},
};

// The centre output's two band columns.
inline constexpr BandColumn kCentreEqColumns[] = {
    {CentreEq1TypeButton, CentreEq1GainSlider, CentreEq1GainField, CentreEq1FreqField,
     CentreEq1FreqSpin, CentreEq1QField, CentreEq1QSpin},
    {CentreEq2TypeButton, CentreEq2GainSlider, CentreEq2GainField, CentreEq2FreqField,
     CentreEq2FreqSpin, CentreEq2QField, CentreEq2QSpin},
};

// The subwoofer's two band columns.
inline constexpr BandColumn kSubwooferEqColumns[] = {
    {SubwooferEq1TypeButton, SubwooferEq1GainSlider, SubwooferEq1GainField, SubwooferEq1FreqField,
     SubwooferEq1FreqSpin, SubwooferEq1QField, SubwooferEq1QSpin},
    {SubwooferEq2TypeButton, SubwooferEq2GainSlider, SubwooferEq2GainField, SubwooferEq2FreqField,
     SubwooferEq2FreqSpin, SubwooferEq2QField, SubwooferEq2QSpin},
};

}  // namespace tonel::res::system
