// The sweep's own expectations against the texts the operator's manual quotes, so that a wrong
// rule here cannot hide a wrong page.
#include "tests/sweep/SweepRules.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <set>

namespace tonel::testing {
namespace {

struct Case {
    Shown shown;
    int byte;
    const char* text;
};

void expectTexts(std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(expectedText(c.shown, c.byte), c.text) << "kind " << static_cast<int>(c.shown) << ", byte " << c.byte;
}

TEST(SweepRules, GiveTheManualsTexts)
{
    expectTexts({
        {Shown::Number, 39, "39"},
        {Shown::Gain, 24, "0"},           {Shown::Gain, 48, "12"},          {Shown::Gain, 0, "-12"},
        {Shown::Gain, 25, "1"},           {Shown::Gain, 23, "-1"},          {Shown::Q, 46, "4.33"},
        {Shown::Q, 72, "19.40"},          {Shown::Q, 0, "0.31"},            {Shown::EffectFrequency, 68, "950.00Hz"},
        {Shown::EffectFrequency, 69, "1.00KH"}, {Shown::EffectFrequency, 121, "20.00KH"},
        {Shown::PageFrequency, 1, "20.00Hz"},   {Shown::PageFrequency, 69, "1.00KHz"},
        {Shown::EffectSwitch, 1, "ON "},  {Shown::EffectSwitch, 0, "OFF"},  {Shown::MicSwitch, 1, " ON"},
        {Shown::MusicSwitch, 1, "ON "},   {Shown::Limiter, 0, "-18dBV"},    {Shown::Limiter, 24, "6dBV"},
        {Shown::Limiter, 25, "OFF"},      {Shown::Feedback, 3, "FB.EX3"},   {Shown::InputSource, 0, "AUTO"},
        {Shown::InputSource, 3, "BGM"},   {Shown::Program, 1, "豪迈"},      {Shown::PanelLock, 1, "ON "},
        {Shown::Phase, 1, "Reverse"},     {Shown::Delay, 1, "0.5ms"},       {Shown::Distance, 1, "0.2m"},
        {Shown::Delay, 100, "50.0ms"},    {Shown::Distance, 100, "17.0m"},  {Shown::HighPass, 0, "OFF"},
        {Shown::HighPass, 1, "20.0Hz"},   {Shown::HighPass, 25, "80.0Hz"},  {Shown::LowPass, 25, "80.0Hz"},
        {Shown::LowPass, 50, "335.0Hz"},  {Shown::Attenuation, 0, "OFF"},   {Shown::Attenuation, 4, "-12dB"},
        {Shown::Attenuation, 5, "MUTE"},
    });
}

TEST(SweepRules, OutOfRangeBytesShowTheChosenTexts)
{
    expectTexts({
        {Shown::PageFrequency, 0, "0.00Hz"},  // index 0 holds 0 Hz
        {Shown::PageFrequency, 255, "20.00KHz"}, {Shown::Q, 255, "19.40"},        {Shown::Gain, 255, "116"},
        {Shown::Limiter, 26, "8dBV"},             {Shown::InputSource, 4, ""},      {Shown::Program, 3, ""},
        {Shown::PanelLock, 2, ""},                {Shown::Phase, 2, ""},            {Shown::Delay, 255, "127.5ms"},
        {Shown::HighPass, 26, "85.0Hz"},          {Shown::LowPass, 10, "33.5Hz"},   {Shown::LowPass, 255, "20000.0Hz"},
        {Shown::Attenuation, 200, "MUTE"},
    });
    EXPECT_EQ(expectedCaption(6, "Notch"), "Notch");
    EXPECT_EQ(expectedCaption(2, "Notch"), "bandpass");
}

TEST(SweepRules, SlidersClampOutOfRangeBytes)
{
    EXPECT_EQ(expectedLevelPosition(50, 50), 0);
    EXPECT_EQ(expectedLevelPosition(0, 100), 100);
    EXPECT_EQ(expectedLevelPosition(255, 50), 0);
    EXPECT_EQ(expectedGainPosition(0), 24);
    EXPECT_EQ(expectedGainPosition(25), 11);  // truncated toward zero
    EXPECT_EQ(expectedGainPosition(49), 0);
    EXPECT_EQ(expectedGainPosition(255), 0);
}

// Each page's table names every control once, so no control is left out of the sweep by a typo.
TEST(SweepRules, EveryPageTableNamesDistinctControls)
{
    for (const PageRules* rules : {&effectRules(), &micRules(), &musicRules(), &systemRules()}) {
        std::multiset<int> ids;
        for (const LevelRule& l : rules->levels)
            ids.insert({l.slider, l.field});
        for (const SpinRule& s : rules->spins) {
            ids.insert(s.spins.begin(), s.spins.end());
            for (const ReadoutField& f : s.fields)
                ids.insert(f.field);
        }
        for (const BandRule& b : rules->bands)
            ids.insert({b.typeButton, b.gainSlider, b.gainField, b.freqField, b.freqSpin, b.qField, b.qSpin});
        for (int id : ids)
            EXPECT_EQ(ids.count(id), 1u) << rules->name << " control " << id;
    }
}

}  // namespace
}  // namespace tonel::testing
