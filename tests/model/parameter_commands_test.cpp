#include "model/Fields.h"
#include "model/ParameterCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tonel::testing {
namespace {

namespace f = fields;

// Every byte different, effect program 1 selected, the feedback byte small enough to show padding.
ParameterImage scrambledImage()
{
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>((i * 37 + 11) % 256));
    image.set(f::mic::feedback, 5);
    image.set(f::global::effectProgram, 1);
    image.set(f::global::controlMode, 1);
    image.set(f::global::displayContrast, 3);
    image.set(f::global::panelLock, 1);
    return image;
}

struct Expected {
    std::size_t offset;
    const char* text;
};

// The 73 parameter commands of scrambledImage(), keyed by the field's first absolute byte.
const std::vector<Expected> kParameterCommands{
    {4, "(01$001000001)"},
    {23, "(01$004000094)"},
    {24, "(01$004001131)"},
    {25, "(01$004002168)"},
    {26, "(01$004003205)"},
    {27, "(01$004004242)"},
    {28, "(01$004005023)"},
    {29, "(01$004006060)"},
    {30, "(01$004007097)"},
    {31, "(01$004008134)"},
    {32, "(01$004009171)"},
    {33, "(01$008000208245026063)"},
    {37, "(01$008001100137174211)"},
    {59, "(01$005000146)"},
    {60, "(01$005001183)"},
    {61, "(01$005003220)"},
    {62, "(01$005004001)"},
    {63, "(01$005005038)"},
    {64, "(01$005006075)"},
    {65, "(01$005007112)"},
    {66, "(01$005008149)"},
    {67, "(01$003000  5)"},
    {68, "(01$005009223)"},
    {69, "(01$005010004)"},
    {70, "(01$005011041)"},
    {71, "(01$005012078)"},
    {72, "(01$005002115)"},
    {73, "(01$008100152189226007)"},
    {77, "(01$008101044081118155)"},
    {81, "(01$008102192229010047)"},
    {85, "(01$008103084121158195)"},
    {89, "(01$008104232013050087)"},
    {93, "(01$008105124161198235)"},
    {97, "(01$008106016053090127)"},
    {101, "(01$006000164)"},
    {102, "(01$006001201)"},
    {103, "(01$006002238)"},
    {104, "(01$002000019)"},
    {105, "(01$006003056)"},
    {106, "(01$006004093)"},
    {107, "(01$006005130)"},
    {108, "(01$006006167)"},
    {109, "(01$006007204)"},
    {110, "(01$006010241)"},
    {111, "(01$006011022)"},
    {112, "(01$006008059)"},
    {113, "(01$006009096)"},
    {114, "(01$008200133170207244)"},
    {118, "(01$008201025062099136)"},
    {122, "(01$008202173210247028)"},
    {126, "(01$008203065102139176)"},
    {130, "(01$008204213250031068)"},
    {134, "(01$008300105142179216)"},
    {138, "(01$008301253034071108)"},
    {142, "(01$008302145182219000)"},
    {146, "(01$008303037074111148)"},
    {150, "(01$008304185222003040)"},
    {154, "(01$008305077114151188)"},
    {158, "(01$008306225006043080)"},
    {162, "(01$007000117)"},
    {163, "(01$008400154191228009)"},
    {167, "(01$008401046083120157)"},
    {171, "(01$007022194)"},
    {172, "(01$007023231)"},
    {173, "(01$007024012)"},
    {174, "(01$007025049)"},
    {175, "(01$007009086)"},
    {176, "(01$007010123)"},
    {177, "(01$007011160)"},
    {178, "(01$007012197)"},
    {179, "(01$007013234)"},
    {180, "(01$008500015052089126)"},
    {184, "(01$008501163200237018)"},
};

TEST(ParameterCommands, EveryFieldSendsItsTextFromItsCurrentBytes)
{
    ASSERT_EQ(kParameterCommands.size(), 73u);
    const ParameterImage image = scrambledImage();
    for (const auto& [offset, text] : kParameterCommands) {
        const auto command = commandForOffset(image, offset);
        ASSERT_TRUE(command.has_value()) << "offset " << offset;
        EXPECT_EQ(*command, text) << "offset " << offset;
        const std::size_t expectedLength = std::string(text).size();
        EXPECT_TRUE(expectedLength == 14 || expectedLength == 23) << text;
    }
}

TEST(ParameterCommands, TheTableHoldsExactlyTheSeventyThreeCommandsAndThreeLiterals)
{
    const ParameterImage image = scrambledImage();
    std::multiset<std::string> produced;
    int literals = 0;
    for (const CommandField& field : commandFields()) {
        const bool literal = field.form == CommandForm::ControlMode || field.form == CommandForm::DisplayContrast ||
                             field.form == CommandForm::PanelLock;
        literals += literal ? 1 : 0;
        if (!literal)
            produced.insert(*commandForField(image, field, image.effectOffset(field.offset)));
    }
    std::multiset<std::string> expected;
    for (const auto& e : kParameterCommands)
        expected.insert(e.text);
    EXPECT_EQ(produced, expected);
    EXPECT_EQ(literals, 3);
}

TEST(ParameterCommands, LiteralCommandsFollowTheirByte)
{
    struct Case {
        std::size_t offset;
        std::uint8_t value;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {f::global::controlMode, 0, "(01O0)"},     {f::global::controlMode, 1, "(01O1)"},
        {f::global::controlMode, 2, std::nullopt}, {f::global::displayContrast, 0, "(01T0)"},
        {f::global::displayContrast, 1, "(01T1)"}, {f::global::displayContrast, 2, "(01T2)"},
        {f::global::displayContrast, 3, "(01T3)"}, {f::global::displayContrast, 4, std::nullopt},
        {f::global::panelLock, 0, "(01CE)"},       {f::global::panelLock, 1, "(01CD)"},
        {f::global::panelLock, 2, std::nullopt},   {f::global::panelLock, 255, std::nullopt},
    };
    ParameterImage image;
    for (const Case& c : cases) {
        image.set(c.offset, c.value);
        EXPECT_EQ(commandForOffset(image, c.offset), c.text) << c.offset << " = " << int(c.value);
    }
}

TEST(ParameterCommands, EveryByteOfABandMapsToTheBand)
{
    const ParameterImage image = scrambledImage();
    for (std::size_t start : {std::size_t{73}, std::size_t{130}, std::size_t{184}}) {
        const CommandField* field = commandFieldAt(start);
        ASSERT_NE(field, nullptr);
        for (std::size_t i = 1; i < 4; ++i) {
            EXPECT_EQ(commandFieldAt(start + i), field) << start + i;
            EXPECT_EQ(commandForOffset(image, start + i), commandForOffset(image, start)) << start + i;
        }
    }
    EXPECT_EQ(commandFieldAt(f::mic::eq(4) + 3)->name, "mic.eq5");
}

TEST(ParameterCommands, EffectBytesOfEveryProgramMapToTheEffectField)
{
    for (int program = 0; program < 3; ++program) {
        const CommandField* level = commandFieldAt(f::effect::at(program, f::effect::masterLevel));
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->name, "effect.master_level");
        EXPECT_TRUE(level->effectRelative);
        EXPECT_EQ(commandFieldAt(f::effect::at(program, 17))->name, "effect.eq2");
    }
}

TEST(ParameterCommands, EffectCommandReadsTheProgramThatHoldsTheByte)
{
    ParameterImage image;  // program 0 selected
    image.set(f::effect::at(2, f::effect::delay), 77);
    EXPECT_EQ(commandForOffset(image, f::effect::at(2, f::effect::delay)), "(01$004002077)");
    EXPECT_EQ(commandForOffset(image, f::effect::at(0, f::effect::delay)), "(01$004002059)");
    EXPECT_EQ(commandForOffset(image, f::effect::at(1, f::effect::eq(0) + 2)), "(01$008000004032024046)");
}

TEST(ParameterCommands, BytesWithoutACommandHaveNone)
{
    const ParameterImage image;
    EXPECT_EQ(commandFieldAt(f::global::reserved), nullptr);
    EXPECT_EQ(commandForOffset(image, f::global::reserved), std::nullopt);
    EXPECT_EQ(commandFieldAt(kImageSize), nullptr);
    EXPECT_EQ(commandFieldAt(100000), nullptr);
}

TEST(ParameterCommands, FormsPadAsTheDeviceExpects)
{
    EXPECT_EQ(formatValueCommand(5, 0, 5), "(01$005000005)");
    EXPECT_EQ(formatValueCommand(7, 25, 255), "(01$007025255)");
    EXPECT_EQ(formatSpacePaddedCommand(3, 0, 5), "(01$003000  5)");
    EXPECT_EQ(formatSpacePaddedCommand(3, 0, 42), "(01$003000 42)");
    EXPECT_EQ(formatSpacePaddedCommand(3, 0, 255), "(01$003000255)");
    EXPECT_EQ(formatBandCommand(0, EqBand{1, 60, 24, 46}), "(01$008000001060024046)");
}

}  // namespace
}  // namespace tonel::testing
