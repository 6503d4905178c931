#include "model/ValueScales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>

namespace tonel::testing {
namespace {

TEST(ValueTables, FrequencyTableRunsFromTwentyHertzToTwentyKilohertz)
{
    EXPECT_EQ(FrequencyTable[0], 0.0);
    EXPECT_EQ(FrequencyTable[1], 20.0);
    EXPECT_EQ(FrequencyTable[2], 21.2);
    EXPECT_EQ(FrequencyTable[56], 474.0);
    EXPECT_EQ(FrequencyTable[69], 1000.0);
    EXPECT_EQ(FrequencyTable[96], 4740.0);
    EXPECT_EQ(FrequencyTable[121], 20000.0);
    for (std::size_t i = 1; i < FrequencyTable.size(); ++i)
        EXPECT_LT(FrequencyTable[i - 1], FrequencyTable[i]) << i;
    // The sum of the published values: catches a mistyped entry the spot checks miss.
    EXPECT_NEAR(std::accumulate(FrequencyTable.begin(), FrequencyTable.end(), 0.0), 357095.9, 1e-6);
}

TEST(ValueTables, QTableHoldsTheSeventyThreeFactors)
{
    EXPECT_EQ(QTable[0], 0.31);
    EXPECT_EQ(QTable[35], 2.3);
    EXPECT_EQ(QTable[46], 4.33);
    EXPECT_EQ(QTable[60], 9.7);
    EXPECT_EQ(QTable[72], 19.4);
    for (std::size_t i = 1; i < QTable.size(); ++i)
        EXPECT_LT(QTable[i - 1], QTable[i]) << i;
    EXPECT_NEAR(std::accumulate(QTable.begin(), QTable.end(), 0.0), 340.98, 1e-9);
}

TEST(ValueTables, ReadsOutsideTheTablesAreClamped)
{
    EXPECT_EQ(frequencyAt(122), 20000.0);
    EXPECT_EQ(frequencyAt(255), 20000.0);
    EXPECT_EQ(frequencyAt(-1), 0.0);
    EXPECT_EQ(qAt(73), 19.4);
    EXPECT_EQ(qAt(255), 19.4);
    EXPECT_EQ(qAt(-5), 0.31);
}

struct FormatCase {
    int value;
    const char* text;
};

TEST(FrequencyText, SpinForm)
{
    const FormatCase cases[] = {
        {1, "20.00Hz"}, {32, "118.00Hz"}, {68, "950.00Hz"}, {69, "1.00KH"}, {90, "3.35KH"},
        {121, "20.00KH"}, {122, "20.00KH"}, {255, "20.00KH"}, {0, "0.00Hz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFrequency(c.value), c.text) << c.value;
}

TEST(FrequencyText, EnteredForm)
{
    const FormatCase cases[] = {
        {1, "20.0Hz"}, {32, "118.0Hz"}, {68, "950.0Hz"}, {69, "1.0KHz"}, {90, "3.4KHz"}, {121, "20.0KHz"},
        {200, "20.0KHz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatEnteredFrequency(c.value), c.text) << c.value;
}

TEST(FrequencyText, OtherPagesChooseTheirOwnDecimalsAndUnit)
{
    EXPECT_EQ(formatFrequencyAs(69, kTwoDecimalsKhz), "1.00KHz");
    EXPECT_EQ(formatFrequencyAs(90, kTwoDecimalsKhzExact), "3.35KHz");
    EXPECT_EQ(formatFrequencyAs(10, kTwoDecimalsKhz), "33.50Hz");
    EXPECT_EQ(formatFrequencyAs(69, FrequencyFormat{0, 3, "k", KhzFactor::Double}), "1.000k");
    EXPECT_EQ(formatFrequencyAs(68, FrequencyFormat{0, 3, "k", KhzFactor::Double}), "950Hz");
}

struct ParseCase {
    const char* text;
    int index;
};

TEST(FrequencyParse, SnapsDownToTheTableAndClamps)
{
    const ParseCase cases[] = {
        {"19", 1},       {"20", 1},        {"21.1", 1},     {"21.2", 2},       {"99999", 121},
        {"", 1},         {"abc", 1},       {"Hz", 1},       {"0", 1},          {"-50", 1},
        {"2.5k", 85},    {"20.00KH", 121}, {"1.0KHz", 69},  {"1.00KH", 69},    {"1k", 69},
        {"1000", 69},    {"1000Hz", 69},   {"1050", 69},    {"1059", 69},      {"1060", 70},
        {"950.00Hz", 68}, {"1kz", 69},     {"5khz", 97},    {"1 kHz", 69},     {"  500", 57},
        {"1e3", 69},     {"2E1", 1},       {"0x3E8", 69},   {"1,5k", 69},      {"20000.5", 121},
        {"19999", 120},  {"k", 1},         {"1KHzX", 1},    {"1.06k", 70},     {"+200", 41},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseFrequencyText(c.text), c.index) << '"' << c.text << '"';
}

TEST(FrequencyParse, NonFiniteNumbersStayInTheTable)
{
    const ParseCase cases[] = {
        {"nan", 1}, {"NAN", 1}, {"-nan", 1}, {"inf", 121}, {"infinity", 121}, {"-inf", 1},
        {"1e999", 121}, {"-1e999", 1}, {"1e-999", 1}, {"1e999k", 121},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseFrequencyText(c.text), c.index) << '"' << c.text << '"';
}

TEST(FrequencyParse, EmbeddedNulEndsTheNumber)
{
    EXPECT_EQ(parseFrequencyText(std::string_view("1\0k", 3)), 69);  // still ends in K: 1 x 1000
}

TEST(QText, TwoDecimalsAndClampedIndex)
{
    const FormatCase cases[] = {{0, "0.31"}, {46, "4.33"}, {35, "2.30"}, {72, "19.40"}, {73, "19.40"}, {255, "19.40"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatQ(c.value), c.text) << c.value;
}

TEST(Gain, DecibelsAndText)
{
    EXPECT_EQ(gainToDb(24), 0.0);
    EXPECT_EQ(gainToDb(0), -12.0);
    EXPECT_EQ(gainToDb(25), 0.5);
    const FormatCase cases[] = {
        {24, "0"}, {48, "12"}, {0, "-12"}, {25, "1"}, {23, "-1"}, {27, "2"},
        {21, "-2"}, {1, "-12"}, {47, "12"}, {255, "116"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatGain(c.value), c.text) << c.value;
}

TEST(Gain, SliderMappings)
{
    EXPECT_EQ(sliderPositionToGain(24), 0);
    EXPECT_EQ(sliderPositionToGain(0), 48);
    EXPECT_EQ(sliderPositionToGain(12), 24);
    EXPECT_EQ(gainToSliderPosition(48), 0);
    EXPECT_EQ(gainToSliderPosition(24), 12);
    EXPECT_EQ(gainToSliderPosition(0), 24);
    EXPECT_EQ(gainToSliderPosition(25), 11);  // truncated toward zero
    EXPECT_EQ(gainToSliderPosition(49), 0);
}

TEST(FilterTypes, CaptionsAndClickCycle)
{
    EXPECT_EQ(filterTypeName(ByPass), "byPass");
    EXPECT_EQ(filterTypeName(Peaking), "Peaking");
    EXPECT_EQ(filterTypeName(BandPass), "bandpass");
    EXPECT_EQ(filterTypeName(HiShelf), "Hi-shelf");
    EXPECT_EQ(filterTypeName(LoShelf), "Lo-shelf");
    EXPECT_EQ(filterTypeName(Notch), "Notch");
    EXPECT_EQ(filterTypeName(6), "");
    EXPECT_EQ(filterTypeName(255), "");
    const int next[] = {1, 3, 3, 4, 5, 1};  // what a click on each type writes
    for (int type = 0; type < 6; ++type)
        EXPECT_EQ(nextFilterType(type), next[type]) << type;
    for (int type = 0; type <= 255; ++type) {
        const int t = nextFilterType(type);
        EXPECT_TRUE(t == Peaking || t == HiShelf || t == LoShelf || t == Notch) << type;
    }
}

TEST(Levels, PositionZeroIsTheTop)
{
    EXPECT_EQ(levelToPosition(50, kLevelMax), 0);
    EXPECT_EQ(levelToPosition(0, kLevelMax), 50);
    EXPECT_EQ(levelToPosition(0, kAmountMax), 100);
    EXPECT_EQ(levelToPosition(100, kAmountMax), 0);
    EXPECT_EQ(positionToLevel(0, kLevelMax), 50);
    EXPECT_EQ(positionToLevel(30, kAmountMax), 70);
}

TEST(OtherScales, Threshold)
{
    const FormatCase cases[] = {{0, "-18dBV"}, {18, "0dBV"}, {24, "6dBV"}, {25, "OFF"}, {26, "8dBV"}, {255, "237dBV"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatThreshold(c.value), c.text) << c.value;
}

TEST(OtherScales, DelayAndDistance)
{
    struct Case {
        int byte;
        const char* delay;
        const char* distance;
    };
    const Case cases[] = {
        {0, "0.0ms", "0.0m"}, {1, "0.5ms", "0.2m"}, {3, "1.5ms", "0.5m"},
        {100, "50.0ms", "17.0m"}, {255, "127.5ms", "43.4m"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDelay(c.byte), c.delay) << c.byte;
        EXPECT_EQ(formatDistance(c.byte), c.distance) << c.byte;
    }
    EXPECT_EQ(delayMs(7), 3.5f);
}

TEST(OtherScales, Crossover)
{
    const FormatCase low[] = {{0, "OFF"}, {1, "20.0Hz"}, {2, "21.2Hz"}, {25, "80.0Hz"}, {26, "85.0Hz"}, {121, "20000.0Hz"},
                               {255, "20000.0Hz"}};
    for (const auto& c : low)
        EXPECT_EQ(formatCrossoverLow(c.value), c.text) << c.value;
    const FormatCase high[] = {{25, "80.0Hz"}, {50, "335.0Hz"}, {51, "355.0Hz"}, {255, "20000.0Hz"},
                                {10, "33.5Hz"}, {0, "0.0Hz"}};
    for (const auto& c : high)
        EXPECT_EQ(formatCrossoverHigh(c.value), c.text) << c.value;
}

TEST(OtherScales, Attenuation)
{
    const FormatCase cases[] = {{0, "OFF"}, {1, "-3dB"}, {4, "-12dB"}, {5, "MUTE"}, {6, "MUTE"}, {255, "MUTE"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatAttenuation(c.value), c.text) << c.value;
}

TEST(OtherScales, EveryFormatterGivesTextForEveryByte)
{
    for (int byte = 0; byte <= 255; ++byte) {
        EXPECT_FALSE(formatFrequency(byte).empty());
        EXPECT_FALSE(formatEnteredFrequency(byte).empty());
        EXPECT_FALSE(formatQ(byte).empty());
        EXPECT_FALSE(formatGain(byte).empty());
        EXPECT_FALSE(formatThreshold(byte).empty());
        EXPECT_FALSE(formatDelay(byte).empty());
        EXPECT_FALSE(formatDistance(byte).empty());
        EXPECT_FALSE(formatCrossoverLow(byte).empty());
        EXPECT_FALSE(formatCrossoverHigh(byte).empty());
        EXPECT_FALSE(formatAttenuation(byte).empty());
    }
}

TEST(FormatString, GrowsPastAnyFixedBuffer)
{
    const std::string long_(500, 'x');
    EXPECT_EQ(formatString("%s-%d", long_.c_str(), 7), long_ + "-7");
    EXPECT_EQ(formatString("%s", ""), "");
}

}  // namespace
}  // namespace tonel::testing
