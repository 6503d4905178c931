#include "model/Fields.h"
#include "model/ParameterCatalog.h"
#include "model/ParameterSetting.h"

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
        EXPECT_EQ(catalog[i].command == nullptr, i == f::global::reserved) << catalog[i].name;
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

struct ParseCase {
    const char* name;
    const char* text;
    int byte;  // -1: refused
};

TEST(ParameterCatalog, ReadsRawBytesAndThePanelsTexts)
{
    const ParseCase cases[] = {
        {"mic.main_level", "40", 40},      {"mic.main_level", " 7 ", 7},       {"mic.main_level", "51", -1},
        {"mic.main_level", "-1", -1},      {"mic.main_level", "loud", -1},     {"mic.exciter", "on", 1},
        {"mic.exciter", "OFF", 0},         {"mic.limiter", "-6dBV", 12},       {"mic.limiter", "off", 25},
        {"global.effect_program", "激情", 2}, {"music.eq2.type", "hi-shelf", 3}, {"room.eq1.freq", "1.5k", 76}, {"room.eq1.freq", "1,5k", 76},
        {"room.eq1.freq", "1000", -1},     {"room.eq1.freq", "1000Hz", 69},    {"room.eq1.freq", "k", -1},
        {"room.eq1.gain", "-3", 18},       {"room.eq1.gain", "+4.5dB", 33},    {"room.eq1.gain", "+13", -1},
        {"room.eq1.gain", "0.25", -1},     {"effect1.eq1.q", "0", -1},         {"room.eq1.q", "4.33", 46},
        {"sub.low_pass", "24", -1},        {"sub.low_pass", "80Hz", 25},       {"sub.low_pass", "120Hz", -1},
        {"sub.high_pass", "off", 0},       {"sub.high_pass", "31.5", 9},        {"global.reserved", "255", 255},    {"global.reserved", "256", -1},
    };
    for (const ParseCase& c : cases) {
        const ParsedValue v = parseParameterValue(named(c.name), c.text);
        if (c.byte < 0) {
            EXPECT_FALSE(v.byte) << c.name << " " << c.text;
            EXPECT_NE(v.error.find(c.name), std::string::npos) << v.error;
        } else {
            EXPECT_EQ(v.byte, std::optional<std::uint8_t>(c.byte)) << c.name << " " << c.text << ": " << v.error;
        }
    }
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
