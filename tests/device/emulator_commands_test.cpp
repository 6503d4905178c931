// What the virtual processor does with each frame: answers, commands applied to its image with the
// device's own rules, the stored copy, and every fault option.

#include "device/WireProtocol.h"
#include "emulator/DeviceModel.h"
#include "model/Fields.h"
#include "model/ParameterCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tonel::testing {
using namespace tonel::emulator;
namespace {

namespace f = fields;
using Bytes = std::vector<std::pair<std::size_t, int>>;

ImageBytes withBytes(const Bytes& changes)
{
    ImageBytes bytes = defaultImageBytes();
    for (auto [offset, value] : changes)
        bytes[offset] = static_cast<std::uint8_t>(value);
    return bytes;
}

bool isParameterCommand(const CommandField& field)
{
    return field.form == CommandForm::Value || field.form == CommandForm::SpacePadded ||
           field.form == CommandForm::Band;
}

// Each of the 73 parameter commands, as the panel formats it, lands in the device's image.
TEST(EmulatorCommands, EveryParameterCommandChangesExactlyItsBytes)
{
    const ImageBytes start = withBytes({{f::mic::link, 0}, {f::global::effectProgram, 1}});
    int commands = 0;
    for (const CommandField& field : commandFields()) {
        if (!isParameterCommand(field))
            continue;
        ++commands;
        ParameterImage panel;
        panel.replaceAll(start);
        const std::size_t offset = field.effectRelative ? panel.effectOffset(field.offset) : field.offset;
        if (field.form == CommandForm::Band)
            panel.setBand(offset, EqBand{2, 33, 20, 40});
        else
            panel.set(offset, 45);
        const auto frame = commandForField(panel, field, offset);
        ASSERT_TRUE(frame) << field.name;

        DeviceModel device({}, start);
        EXPECT_EQ(device.handleFrame(*frame), "") << *frame;
        EXPECT_EQ(device.image(), panel) << field.name << " " << *frame;
    }
    EXPECT_EQ(commands, 73);
}

struct CommandCase {
    const char* name;
    Bytes before;
    std::string frame;
    Bytes after;  // expected changes on top of `before`
};
void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.frame; }

class EmulatorCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(EmulatorCommandTest, AppliesTheFrame)
{
    const CommandCase& c = GetParam();
    DeviceModel device({}, withBytes(c.before));
    EXPECT_EQ(device.handleFrame(c.frame), "");
    Bytes all = c.before;
    all.insert(all.end(), c.after.begin(), c.after.end());
    ParameterImage expected;
    expected.replaceAll(withBytes(all));
    EXPECT_EQ(device.image(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Device, EmulatorCommandTest,
    ::testing::Values(
        CommandCase{"EffectGoesToTheSelectedProgram", {{4, 2}}, "(01$004000020)", {{41, 20}}},
        CommandCase{"EffectProgramAbove2IsProgram2", {{4, 9}}, "(01$004005077)", {{46, 77}}},
        CommandCase{"EffectBandOfProgram0", {}, "(01$008001004050030040)", {{19, 4}, {20, 50}, {21, 30}, {22, 40}}},
        CommandCase{"FeedbackWithBlanks", {}, "(01$003000  3)", {{67, 3}}},
        CommandCase{"MicMaxLevelPullsTheMainLevelDown", {}, "(01$005001020)", {{60, 20}, {59, 20}}},
        CommandCase{"MicMaxLevelAboveMainLeavesIt", {}, "(01$005001045)", {{60, 45}}},
        CommandCase{"MusicMaxLevelPullsTheMainLevelDown", {}, "(01$006001010)", {{102, 10}, {101, 10}}},
        CommandCase{"LinkOnCopiesMic1ToMic2",
                    {{72, 0}, {73, 2}, {74, 50}, {75, 30}, {76, 40}, {61, 33}},
                    "(01$005002001)",
                    {{72, 1}, {77, 2}, {78, 50}, {79, 30}, {80, 40}, {62, 33}}},
        CommandCase{"LinkAlreadyOnCopiesNothing", {{72, 1}, {61, 33}}, "(01$005002001)", {}},
        CommandCase{"LinkOffCopiesNothing", {{72, 1}, {61, 33}}, "(01$005002000)", {{72, 0}}},
        CommandCase{"LinkedMicBandGoesToBoth",
                    {{72, 1}},
                    "(01$008101002070020010)",
                    {{73, 2}, {74, 70}, {75, 20}, {76, 10}, {77, 2}, {78, 70}, {79, 20}, {80, 10}}},
        CommandCase{"UnlinkedMicBandGoesToOne", {{72, 0}}, "(01$008101002070020010)",
                    {{77, 2}, {78, 70}, {79, 20}, {80, 10}}},
        CommandCase{"LinkedInputGainGoesToBoth", {{72, 1}}, "(01$005004011)", {{61, 11}, {62, 11}}},
        CommandCase{"SharedMicBandIsNeverCopied", {{72, 1}}, "(01$008102002070020010)",
                    {{81, 2}, {82, 70}, {83, 20}, {84, 10}}},
        CommandCase{"FullMode", {}, "(01O1)", {{1, 1}}},
        CommandCase{"EasyMode", {{1, 1}}, "(01O0)", {{1, 0}}},
        CommandCase{"Contrast3", {}, "(01T3)", {{2, 3}}},
        CommandCase{"Contrast0", {}, "(01T0)", {{2, 0}}},
        CommandCase{"PanelLocked", {}, "(01CD)", {{3, 1}}},
        CommandCase{"PanelUnlocked", {{3, 1}}, "(01CE)", {{3, 0}}},
        CommandCase{"UnknownGroup", {}, "(01$009000001)", {}},
        CommandCase{"UnknownItem", {}, "(01$005013001)", {}},
        CommandCase{"ValueAboveAByte", {}, "(01$005000999)", {}},
        CommandCase{"ShortValue", {}, "(01$00500001)", {}},
        CommandCase{"LettersInValue", {}, "(01$005000abc)", {}},
        CommandCase{"BandWithOneValue", {}, "(01$008100001)", {}},
        CommandCase{"ValueWithFourValues", {}, "(01$005000001002003004)", {}},
        CommandCase{"OtherAddress", {}, "(02$005000001)", {}},
        CommandCase{"ContrastOutOfRange", {}, "(01T4)", {}},
        CommandCase{"ModeOutOfRange", {}, "(01O2)", {}},
        CommandCase{"Bye", {}, "(01bye)", {}}),
    [](const auto& info) { return std::string(info.param.name); });

ImageBytes distinctBytes()
{
    ImageBytes bytes{};
    for (std::size_t i = 0; i < kImageSize; ++i)
        bytes[i] = static_cast<std::uint8_t>(255 - i);
    return bytes;
}

TEST(EmulatorSession, AnswersHelloAndQueryWithItsImage)
{
    DeviceModel device({}, distinctBytes());
    EXPECT_EQ(device.handleFrame("(01hello)"), "(01hello13)");
    const std::string reply = device.handleFrame("(01Q)");
    ASSERT_EQ(reply.size(), 384u);
    EXPECT_TRUE(reply.starts_with("(01Q376FFFEFD"));
    EXPECT_TRUE(reply.ends_with(")"));
    ParameterImage decoded;
    ASSERT_TRUE(wire::decodeImageHex(reply, decoded));
    EXPECT_EQ(decoded.bytes(), distinctBytes());
}

TEST(EmulatorSession, AcceptsAValidUploadAndAcknowledgesIt)
{
    ParameterImage panel;
    panel.replaceAll(distinctBytes());
    DeviceModel device;
    EXPECT_EQ(device.handleFrame(wire::uploadFrame(panel)), "(01P376)");
    EXPECT_EQ(device.image(), panel);
}

TEST(EmulatorSession, IgnoresAMalformedUpload)
{
    ParameterImage panel;
    panel.replaceAll(distinctBytes());
    const std::string good = wire::uploadFrame(panel);
    std::string lower = good;
    lower[10] = 'e';
    std::string wrongCount = good;
    wrongCount[6] = '5';
    const std::vector<std::string> bad = {good.substr(0, 383), good.substr(0, 383) + "0)", lower, wrongCount,
                                          "(01P376)"};
    for (const std::string& frame : bad) {
        DeviceModel device;
        EXPECT_EQ(device.handleFrame(frame), "") << frame.size();
        EXPECT_EQ(device.image().bytes(), defaultImageBytes());
    }
}

TEST(EmulatorSession, StoreKeepsACopyOfThatMoment)
{
    DeviceModel device;
    EXPECT_FALSE(device.storedImage());
    device.handleFrame("(01$005000010)");
    EXPECT_EQ(device.handleFrame("(01S)"), "");
    device.handleFrame("(01$005000020)");
    ASSERT_TRUE(device.storedImage());
    EXPECT_EQ((*device.storedImage())[f::mic::mainLevel], 10);
    EXPECT_EQ(device.image().get(f::mic::mainLevel), 20);
}

struct FaultCase {
    const char* name;
    DeviceFaults faults;
    std::string frame;
    std::string reply;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

DeviceFaults faultsWith(void (*set)(DeviceFaults&))
{
    DeviceFaults faults;
    set(faults);
    return faults;
}

const std::string kDefaultHex = [] { return wire::encodeImageHex(ParameterImage{}); }();

class EmulatorFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(EmulatorFaultTest, BendsTheReply)
{
    DeviceModel device(GetParam().faults);
    EXPECT_EQ(device.handleFrame(GetParam().frame), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EmulatorFaultTest,
    ::testing::Values(
        FaultCase{"WrongHello", faultsWith([](DeviceFaults& d) { d.helloReply = "(01hello12)"; }), "(01hello)",
                  "(01hello12)"},
        FaultCase{"NoHello", faultsWith([](DeviceFaults& d) { d.helloReply = ""; }), "(01hello)", ""},
        FaultCase{"WrongAck", faultsWith([](DeviceFaults& d) { d.ackReply = "(01P375)"; }),
                  wire::uploadFrame(ParameterImage{}), "(01P375)"},
        FaultCase{"WrongCount", faultsWith([](DeviceFaults& d) { d.queryCount = 37; }), "(01Q)",
                  "(01Q037" + kDefaultHex + ")"},
        FaultCase{"ShortQueryReply", faultsWith([](DeviceFaults& d) { d.queryTruncate = 100; }), "(01Q)",
                  ("(01Q376" + kDefaultHex).substr(0, 100)},
        FaultCase{"TruncateBeyondTheReplyChangesNothing", faultsWith([](DeviceFaults& d) { d.queryTruncate = 999; }),
                  "(01Q)", "(01Q376" + kDefaultHex + ")"},
        FaultCase{"SilentHello", faultsWith([](DeviceFaults& d) { d.silent = true; }), "(01hello)", ""},
        FaultCase{"SilentQuery", faultsWith([](DeviceFaults& d) { d.silent = true; }), "(01Q)", ""},
        FaultCase{"TrailingAfterHello", faultsWith([](DeviceFaults& d) { d.trailing = "\r"; }), "(01hello)",
                  "(01hello13)\r"},
        FaultCase{"TrailingAfterAck", faultsWith([](DeviceFaults& d) { d.trailing = "\r\n"; }),
                  wire::uploadFrame(ParameterImage{}), "(01P376)\r\n"},
        FaultCase{"NoTrailingWithoutAReply", faultsWith([](DeviceFaults& d) { d.trailing = "\r"; }), "(01S)", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmulatorFaults, SilentDeviceStillAppliesCommands)
{
    DeviceFaults faults;
    faults.silent = true;
    DeviceModel device(faults);
    ParameterImage panel;
    panel.replaceAll(distinctBytes());
    EXPECT_EQ(device.handleFrame(wire::uploadFrame(panel)), "");
    EXPECT_EQ(device.image(), panel);
}

}  // namespace
}  // namespace tonel::testing
