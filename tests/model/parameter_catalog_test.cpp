#include "model/Fields.h"
#include "model/ParameterCatalog.h"
#include "model/ParameterSetting.h"
#include "model/ParameterValues.h"
#include "model/ValueScales.h"

#include <gtest/gtest.h>

#include <set>

namespace tonel::testing {
namespace {

namespace f = fields;

const Parameter& named(const char* name)
{
    const Parameter* p = findParameter(name);
    if (p == nullptr)
        throw std::invalid_argument(name);
    return *p;
}

TEST(ParameterCatalog, NamesEveryByteOnceInOffsetOrderWithItsCommand)
{
    std::set<std::string> names;
    const auto catalog = parameterCatalog();
    ASSERT_EQ(catalog.size(), kImageSize);
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        EXPECT_EQ(catalog[i].offset, i);
        EXPECT_TRUE(names.insert(catalog[i].name).second) << catalog[i].name;
        EXPECT_EQ(catalog[i].name.substr(0, catalog[i].group.size() + 1), catalog[i].group + ".");
        EXPECT_EQ(!catalog[i].command, i == f::global::reserved) << catalog[i].name;
        // The defaults lie in every range, so `set` can always put a default back.
        EXPECT_LE(catalog[i].min, defaultImageBytes()[i]) << catalog[i].name;
        EXPECT_GE(catalog[i].max, defaultImageBytes()[i]) << catalog[i].name;
    }
}

struct ShownCase {
    const char* name;
    std::size_t offset;
    std::uint8_t byte;
    const char* text;
};

TEST(ParameterCatalog, ShowsBytesAsThePanelDoes)
{
    const ShownCase cases[] = {
        {"global.control_mode", 1, 1, "全功能模式"},
        {"global.effect_program", 4, 0, "甜美"},
        {"effect2.delay", 25, 59, "59"},
        {"effect1.extension", 6, 1, "ON"},
        {"effect3.eq2.freq", 56, 69, "1.00KH"},
        {"mic.main_level", 59, 39, "39"},
        {"mic.limiter", 66, 12, "-6dBV"},
        {"mic.feedback", 67, 7, "FB.EX7"},
        {"mic.eq3.freq", 90, 69, "1.00KHz"},
        {"mic.mic2_eq.gain", 79, 25, "1"},
        {"music.input_select", 104, 1, "DIGIT"},
        {"music.eq5.type", 130, 3, "Hi-shelf"},
        {"room.eq7.q", 161, 46, "4.33"},
        {"aux2.delay", 174, 100, "50.0ms 17.0m"},
        {"sub.high_pass", 176, 0, "OFF"},
        {"sub.low_pass", 177, 25, "80.0Hz"},
        {"sub.phase", 178, 7, ""},
        {"sub.auto_attenuation", 179, 5, "MUTE"},
    };
    for (const ShownCase& c : cases) {
        const Parameter& p = named(c.name);
        EXPECT_EQ(p.offset, c.offset) << c.name;
        ParameterImage image;
        image.set(p.offset, c.byte);
        EXPECT_EQ(shownValue(p, image), c.text) << c.name;
    }
}

TEST(ParameterValues, EveryByteOfEveryParameterReadsBackFromItsText)
{
    for (const Parameter& p : parameterCatalog())
        for (int byte = p.min; byte <= p.max; ++byte) {
            const std::string text = valueText(p, byte);
            const ParsedValue back = parseValue(p, text);
            EXPECT_EQ(back.byte, std::optional<std::uint8_t>(byte)) << p.name << " " << text << ": " << back.error;
            EXPECT_EQ(back.stored, text) << p.name;
            EXPECT_FALSE(back.snapped) << p.name << " " << text;
        }
}

struct ValueCase {
    const char* name;
    int byte;
    const char* value;  // the value's number or choice
    const char* unit;
    const char* text;
};

TEST(ParameterValues, GiveTheExactValueAndUnit)
{
    const ValueCase cases[] = {
        {"room.eq1.gain", 3, "-10.5", "dB", "-10.5dB"},  {"room.eq1.gain", 30, "3", "dB", "+3dB"},
        {"room.eq1.freq", 53, "400", "Hz", "400Hz"},     {"mic.eq2.freq", 89, "3150", "Hz", "3.15kHz"},
        {"effect1.eq1.freq", 2, "21.2", "Hz", "21.2Hz"}, {"effect1.eq1.freq", 121, "20000", "Hz", "20kHz"},
        {"room.eq1.q", 46, "4.33", "", "4.33"},          {"aux1.delay", 59, "29.5", "ms", "29.5ms"},
        {"mic.limiter", 12, "-6", "dBV", "-6dBV"},       {"mic.limiter", 25, "OFF", "", "OFF"},
        {"sub.high_pass", 0, "OFF", "", "OFF"},          {"sub.low_pass", 25, "80", "Hz", "80Hz"},
        {"mic.main_level", 39, "39", "", "39"},          {"music.eq1.type", 3, "Hi-shelf", "", "Hi-shelf"},
        {"sub.auto_attenuation", 2, "-6dB", "", "-6dB"}, {"mic.feedback", 2, "FB.EX2", "", "FB.EX2"},
    };
    for (const ValueCase& c : cases) {
        const ExactValue v = exactValue(named(c.name), c.byte);
        EXPECT_EQ(v.number ? formatString("%g", *v.number) : v.choice, c.value) << c.name;
        EXPECT_EQ(v.unit, c.unit) << c.name;
        EXPECT_EQ(valueText(named(c.name), c.byte), c.text) << c.name;
    }
}

struct ParseCase {
    const char* name;
    const char* text;
    int byte;            // -1: refused
    const char* detail;  // in the error, or the stored text of a snapped value
    bool decimalComma = false;
};

TEST(ParameterValues, ReadTextStrictly)
{
    const ParseCase cases[] = {
        {"mic.main_level", "40", 40, ""},            {"mic.main_level", " 7 ", 7, ""},
        {"mic.main_level", "51", -1, "0..50"},       {"mic.main_level", "-1", -1, "out of range"},
        {"mic.main_level", "40.5", -1, "40 or 41"},  {"mic.main_level", "loud", -1, "cannot read"},
        {"mic.main_level", "raw:12", 12, ""},        {"mic.main_level", "raw:51", -1, "0..50"},
        {"mic.exciter", "on", 1, ""},                {"mic.exciter", "1", 1, ""},
        {"mic.exciter", "maybe", -1, "one of OFF, ON"}, {"mic.exciter", "2", -1, "one of OFF, ON"},
        {"mic.limiter", "-6dBV", 12, ""},            {"mic.limiter", "-6", 12, ""},
        {"mic.limiter", "off", 25, ""},              {"mic.limiter", "12", -1, "OFF or -18dBV..+6dBV"},
        {"global.effect_program", "激情", 2, ""},     {"music.eq2.type", "hi-shelf", 3, ""},
        {"room.eq1.freq", "1.5k", 76, ""},           {"room.eq1.freq", "1500Hz", 76, ""},
        {"room.eq1.freq", "1000", 69, ""},           {"room.eq1.freq", "1.00KHz", 69, ""},
        {"room.eq3.freq", "1.55k", 76, "1.5kHz"},    {"room.eq1.freq", "20k", 121, ""},
        {"room.eq1.freq", "10Hz", -1, "20Hz..20kHz"}, {"room.eq1.freq", "30k", -1, "out of range"},
        {"room.eq1.freq", "1k5", -1, "cannot read"}, {"room.eq1.freq", "15OO", -1, "cannot read"},
        {"room.eq1.freq", "1..5k", -1, "cannot read"}, {"room.eq1.freq", "2x", -1, "cannot read"},
        {"room.eq1.freq", "1 500Hz", -1, "cannot read"}, {"room.eq1.freq", "", -1, "no value"},
        {"room.eq1.freq", "k", -1, "cannot read"},   {"room.eq1.freq", "nan", -1, "cannot read"},
        {"room.eq1.freq", "1,5k", -1, "comma"},      {"room.eq1.freq", "1,5k", 76, "", true},
        {"room.eq1.gain", "-3", 18, ""},             {"room.eq1.gain", "+4.5dB", 33, ""},
        {"room.eq1.gain", "-3 dB", 18, ""},          {"room.eq1.gain", "+13", -1, "-12dB..+12dB"},
        {"room.eq1.gain", "-10.2", -1, "-10.5dB or -10dB"}, {"room.eq1.gain", "0.25", -1, "0dB or +0.5dB"},
        {"room.eq1.gain", "-0,5", -1, "comma"},      {"room.eq1.gain", "-0,5", 23, "", true},
        {"room.eq1.gain", "raw:3", 3, ""},           {"effect1.eq1.q", "0.31", -1, "0.32..19.4"},
        {"room.eq1.q", "4.33", 46, ""},              {"room.eq1.q", "4.3", -1, "4.09 or 4.33"},
        {"aux1.delay", "29.5ms", 59, ""},            {"aux1.delay", "10.2", -1, "10ms or 10.5ms"},
        {"aux1.delay", "51ms", -1, "0ms..50ms"},     {"aux1.delay", "1.7m", 10, ""},
        {"aux1.delay", "3m", -1, "8.5ms or 9ms"},     {"sub.low_pass", "80Hz", 25, ""},
        {"sub.low_pass", "120Hz", -1, "118Hz or 125Hz"}, {"sub.low_pass", "24", -1, "80Hz..335Hz"},
        {"sub.high_pass", "off", 0, ""},             {"sub.high_pass", "31.5", 9, ""},
        {"global.reserved", "255", 255, ""},         {"global.reserved", "256", -1, "0..255"},
    };
    for (const ParseCase& c : cases) {
        const ParsedValue v = parseValue(named(c.name), c.text, {c.decimalComma});
        const std::string what = std::string(c.name) + "=" + c.text;
        if (c.byte < 0) {
            EXPECT_FALSE(v.byte) << what;
            EXPECT_EQ(v.error.find(c.name), 0u) << v.error;
            EXPECT_NE(v.error.find(c.detail), std::string::npos) << what << ": " << v.error;
        } else {
            EXPECT_EQ(v.byte, std::optional<std::uint8_t>(c.byte)) << what << ": " << v.error;
            EXPECT_EQ(v.snapped, *c.detail != 0) << what;
            if (*c.detail) {
                EXPECT_EQ(v.stored, c.detail) << what;
            }
        }
    }
}

TEST(ParameterCatalog, SuggestsTheNearestNames)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(suggestNames("mic.mainLevel"), (Names{"mic.main_level", "mic.max_level", "music.main_level"}));
    EXPECT_EQ(suggestNames("room.eq8.freq"), (Names{"room.eq1.freq", "room.eq2.freq", "room.eq3.freq"}));
    EXPECT_EQ(suggestNames("sub.lowpass"), (Names{"sub.low_pass"}));
    EXPECT_EQ(suggestNames("SUB.PHASE"), (Names{"sub.phase"}));
    EXPECT_EQ(suggestNames("main_level"), (Names{"mic.main_level", "music.main_level", "mic.max_level"}));
    EXPECT_TRUE(suggestNames("volume").empty());
}

struct RuleCase {
    const char* what;
    std::vector<std::pair<std::size_t, std::uint8_t>> before;  // bytes set first
    const char* name;
    std::uint8_t value;
    SettingTarget target;
    const char* command;  // nullptr: refused
    std::vector<std::pair<std::size_t, std::uint8_t>> after;  // bytes expected afterwards
};

TEST(ParameterSetting, FollowsThePanelsRules)
{
    using T = SettingTarget;
    const std::size_t m1 = f::mic::micEq(0), m2 = f::mic::micEq(1);
    const RuleCase cases[] = {
        {"a value command", {}, "mic.send_lr", 7, T::Device, "(01$005009007)", {{f::mic::sendLR, 7}}},
        {"a band goes as its 4-byte command", {}, "room.eq2.gain", 30, T::Device, "(01$008301001069030046)", {}},
        {"the mode", {}, "global.control_mode", 1, T::Device, "(01O1)", {}},
        {"space-padded feedback", {}, "mic.feedback", 3, T::Device, "(01$003000  3)", {}},
        {"main above maximum", {{f::mic::maxLevel, 30}}, "mic.main_level", 31, T::Device, nullptr, {{f::mic::mainLevel, 39}}},
        {"main above maximum in a file", {{f::music::maxLevel, 30}}, "music.main_level", 31, T::File, nullptr, {}},
        {"lowered maximum pulls main down", {}, "music.max_level", 20, T::Device, "(01$006001020)",
         {{f::music::mainLevel, 20}}},
        {"effect program not selected", {}, "effect2.delay", 40, T::Device, nullptr, {{f::effect::at(1, 2), 56}}},
        {"effect program selected", {{f::global::effectProgram, 1}}, "effect2.delay", 40, T::Device,
         "(01$004002040)", {{f::effect::at(1, 2), 40}}},
        {"any program in a file", {}, "effect3.delay", 40, T::File, "", {{f::effect::at(2, 2), 40}}},
        {"reserved byte on a device", {}, "global.reserved", 9, T::Device, nullptr, {{0, 1}}},
        {"reserved byte in a file", {}, "global.reserved", 9, T::File, "", {{0, 9}}},
        {"link on copies mic 1", {{f::mic::link, 0}, {m1 + 2, 40}, {f::mic::inputGain(0), 11}}, "mic.link", 1,
         T::Device, "(01$005002001)", {{m2 + 2, 40}, {f::mic::inputGain(1), 11}}},
        {"linked band copied", {}, "mic.mic2_eq.q", 12, T::Device, "(01$008101001069024012)", {{m1 + 3, 12}}},
        {"linked gain copied", {}, "mic.input_gain1", 5, T::File, "", {{f::mic::inputGain(1), 5}}},
        {"unlinked band alone", {{f::mic::link, 0}}, "mic.mic1_eq.q", 12, T::Device, "(01$008100001069024012)",
         {{m2 + 3, 46}}},
    };
    for (const RuleCase& c : cases) {
        ParameterImage image;
        for (auto [offset, byte] : c.before)
            image.set(offset, byte);
        ParameterImage edited = image;
        const SettingOutcome outcome = applySetting(edited, named(c.name), c.value, c.target);
        if (c.command == nullptr) {
            EXPECT_FALSE(outcome.ok()) << c.what;
        } else {
            EXPECT_TRUE(outcome.ok()) << c.what << ": " << outcome.error;
            EXPECT_EQ(outcome.command.value_or(""), c.command) << c.what;
        }
        for (auto [offset, byte] : c.after)
            EXPECT_EQ(edited.get(offset), byte) << c.what << " at " << offset;
    }
}

}  // namespace
}  // namespace tonel::testing
