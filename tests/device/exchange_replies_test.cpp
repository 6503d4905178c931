// The exchange's judgement of each reply, with the panel's checks and with the strict ones.

#include "device/Exchange.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace tonel::testing {
namespace {

const std::string kHex = wire::encodeImageHex(ParameterImage{});
const std::string kImage = "(01Q376" + kHex + ")";

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct ReplyCase {
    const char* name;
    Reply reply;
    std::string received;
    Verdict panel;        // judged at the panel's timer
    Verdict strict;       // judged by tonelctl
    bool strictComplete;  // tonelctl need not wait out its deadline
};

class ReplyJudged : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyJudged, ByThePanelAndStrictly)
{
    const ReplyCase& c = GetParam();
    for (ReplyChecks checks : {ReplyChecks::Panel, ReplyChecks::Strict}) {
        Exchange exchange(checks);
        switch (c.reply) {
        case Reply::Hello: EXPECT_EQ(exchange.greet(), "(01hello)"); break;
        case Reply::Image: EXPECT_EQ(exchange.requestImage(), "(01Q)"); break;
        case Reply::UploadAck: EXPECT_EQ(exchange.upload(ParameterImage{}), "(01P376" + kHex + ")"); break;
        }
        exchange.received(c.received);
        const bool strict = checks == ReplyChecks::Strict;
        EXPECT_EQ(exchange.verdict(), strict ? c.strict : c.panel) << (strict ? "strict" : "panel");
        if (strict) {
            EXPECT_EQ(exchange.complete(), c.strictComplete);
        }
        ParameterImage image;
        image.set(0, 0x77);
        const bool taken = exchange.takeImage(image);
        EXPECT_EQ(taken, c.reply == Reply::Image && exchange.verdict() == Verdict::Good);
        if (!taken) {
            EXPECT_EQ(image.get(0), 0x77) << "a refused image is left alone";
        }
    }
}

const std::string kOverlongImage = "(01Q376" + std::string(5375, '0') + ")";  // 5,383 characters

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyJudged,
    ::testing::Values(
        ReplyCase{"HelloGood", Reply::Hello, "(01hello13)", Verdict::Good, Verdict::Good, true},
        ReplyCase{"HelloAfterNoise", Reply::Hello, "boot banner\r\n(01hello13)", Verdict::Good, Verdict::Good, true},
        ReplyCase{"HelloShort", Reply::Hello, "(01hel", Verdict::Incomplete, Verdict::Incomplete, false},
        ReplyCase{"HelloGarbage", Reply::Hello, "(01hexxo13)", Verdict::Invalid, Verdict::Invalid, true},
        ReplyCase{"HelloOverlong", Reply::Hello, "(01hello1313", Verdict::Incomplete, Verdict::Invalid, true},
        ReplyCase{"HelloTrailingReturn", Reply::Hello, "(01hello13)\r", Verdict::Invalid, Verdict::Good, true},
        ReplyCase{"HelloSilent", Reply::Hello, "", Verdict::Silent, Verdict::Silent, false},
        ReplyCase{"ImageGood", Reply::Image, kImage, Verdict::Good, Verdict::Good, true},
        ReplyCase{"ImageLowerCase", Reply::Image, lowerCase(kImage).replace(1, 3, "01Q"), Verdict::Good,
                  Verdict::Good, true},
        ReplyCase{"ImageThenNextFrame", Reply::Image, kImage + "(01", Verdict::Incomplete, Verdict::Good, true},
        ReplyCase{"ImageUnclosed", Reply::Image, "(01Q376" + kHex, Verdict::Good, Verdict::Incomplete, false},
        ReplyCase{"ImageShort", Reply::Image, "(01Q376" + kHex.substr(0, 100) + ")", Verdict::Invalid,
                  Verdict::Invalid, true},
        ReplyCase{"ImageGarbage", Reply::Image, "(01Q376" + std::string(376, 'x') + ")", Verdict::Good,
                  Verdict::Invalid, true},
        ReplyCase{"ImageOverlong", Reply::Image, kOverlongImage, Verdict::Good, Verdict::Invalid, true},
        ReplyCase{"ImageWrongCount", Reply::Image, "(01Q375" + kHex + ")", Verdict::Invalid, Verdict::Invalid, true},
        ReplyCase{"ImageSilent", Reply::Image, "", Verdict::Silent, Verdict::Silent, false},
        ReplyCase{"UploadGood", Reply::UploadAck, "(01P376)", Verdict::Good, Verdict::Good, true},
        ReplyCase{"UploadShort", Reply::UploadAck, "(01P3", Verdict::Incomplete, Verdict::Incomplete, false},
        ReplyCase{"UploadGarbage", Reply::UploadAck, "(01P000)", Verdict::Invalid, Verdict::Invalid, true},
        ReplyCase{"UploadOverlong", Reply::UploadAck, "(01P376376", Verdict::Incomplete, Verdict::Invalid, true},
        ReplyCase{"UploadSilent", Reply::UploadAck, "", Verdict::Silent, Verdict::Silent, false}),
    [](const auto& info) { return info.param.name; });

TEST(Exchange, StrictDecodingReadsEitherCaseByValue)
{
    ParameterImage sent;
    sent.set(0, 0xAB);
    const std::string reply = "(01Q376" + lowerCase(wire::encodeImageHex(sent)) + ")";
    for (auto [checks, byte] : {std::pair{ReplyChecks::Strict, 0xAB}, std::pair{ReplyChecks::Panel, 0xCB}}) {
        Exchange exchange(checks);
        exchange.requestImage();
        exchange.received(reply);
        ParameterImage image;
        ASSERT_TRUE(exchange.takeImage(image));
        EXPECT_EQ(image.get(0), byte) << "the panel keeps the device's own digit arithmetic";
    }
}

TEST(Exchange, OnlyStrictChecksStartEachReplyAfresh)
{
    for (ReplyChecks checks : {ReplyChecks::Panel, ReplyChecks::Strict}) {
        Exchange exchange(checks);
        exchange.greet();
        exchange.received("(01P376)");
        exchange.upload(ParameterImage{});
        EXPECT_EQ(exchange.verdict(), checks == ReplyChecks::Panel ? Verdict::Good : Verdict::Silent);
    }
}

}  // namespace
}  // namespace tonel::testing
