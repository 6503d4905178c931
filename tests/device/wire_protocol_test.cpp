#include "device/WireProtocol.h"
#include "model/Fields.h"

#include <gtest/gtest.h>

#include <string>

namespace tonel::testing {
using namespace tonel::wire;
namespace {

// A "Q" reply carrying `hex` as its image.
std::string queryReply(const std::string& hex) { return "(01Q376" + hex + ")"; }

TEST(WireProtocol, DefaultImageEncodesToUpperCaseHex)
{
    const ParameterImage image;
    const std::string hex = encodeImageHex(image);
    ASSERT_EQ(hex.size(), 376u);
    EXPECT_EQ(hex.substr(0, 14), "01000100002700");
    EXPECT_EQ(hex.substr(2 * 59, 2), "27");   // mic.mainLevel 39
    EXPECT_EQ(hex.substr(2 * 187, 2), "2E");  // the last Q index, 46
}

TEST(WireProtocol, HighNibbleFirstAndNeverLowerCase)
{
    ParameterImage image;
    image.set(0, 0xAB);
    image.set(1, 0x0F);
    image.set(187, 0xF0);
    const std::string hex = encodeImageHex(image);
    EXPECT_EQ(hex.substr(0, 4), "AB0F");
    EXPECT_EQ(hex.substr(374, 2), "F0");
}

TEST(WireProtocol, UploadFrameWrapsTheHexWithItsCount)
{
    const ParameterImage image;
    const std::string frame = uploadFrame(image);
    EXPECT_EQ(frame.size(), kUploadFrameLength);
    EXPECT_EQ(frame.substr(0, 7), "(01P376");
    EXPECT_EQ(frame.substr(7, 376), encodeImageHex(image));
    EXPECT_EQ(frame.back(), ')');
}

TEST(WireProtocol, EncodeThenDecodeGivesBackEveryByte)
{
    ParameterImage source;
    for (std::size_t i = 0; i < kImageSize; ++i)
        source.set(i, static_cast<std::uint8_t>(255 - i));
    ParameterImage target;
    ASSERT_TRUE(decodeImageHex(queryReply(encodeImageHex(source)), target));
    EXPECT_EQ(target.bytes(), source.bytes());
}

TEST(WireProtocol, DecodesPairsWithTheDevicesArithmetic)
{
    struct Case {
        const char* pair;
        std::uint8_t byte;
    };
    const Case cases[] = {
        {"0A", 0x0A}, {"0a", 0x2A}, {"FF", 0xFF}, {"ff", 0x1F}, {"a0", 0xA0},
        {"00", 0x00}, {"99", 0x99}, {"G0", 0x00}, {"1G", 0x20},
    };
    for (const Case& c : cases) {
        ParameterImage image;
        std::string hex = encodeImageHex(image);
        hex.replace(0, 2, c.pair);
        ASSERT_TRUE(decodeImageHex(queryReply(hex), image)) << c.pair;
        EXPECT_EQ(image.get(0), c.byte) << c.pair;
        EXPECT_EQ(image.get(1), 0) << c.pair;  // its neighbour decodes on its own
    }
}

TEST(WireProtocol, ShortReplyIsRejectedAndLeavesTheImage)
{
    ParameterImage source;
    source.set(5, 0x11);
    const std::string full = queryReply(encodeImageHex(source));
    ParameterImage image;
    const ImageBytes before = image.bytes();
    EXPECT_FALSE(decodeImageHex(full.substr(0, 382), image));
    EXPECT_FALSE(decodeImageHex("(01Q376", image));
    EXPECT_FALSE(decodeImageHex("", image));
    EXPECT_EQ(image.bytes(), before);
    EXPECT_TRUE(decodeImageHex(full.substr(0, 383), image));  // the ")" is never checked
    EXPECT_EQ(image.get(5), 0x11);
}

TEST(WireProtocol, QueryCountReadsThreeCharactersAfterThePrefix)
{
    struct Case {
        const char* reply;
        int count;
        bool accepted;
    };
    const Case cases[] = {
        {"(01Q376ABCD", 376, true}, {"(01Q037ABCD", 37, false}, {"(01Q376", 376, true},
        {"(01Q37", 37, false},      {"(01Q", 0, false},         {"(01Q 37", 37, false},
        {"(01Qabc", 0, false},      {"(01P376", 376, false},    {"(01Q3760", 376, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(queryReplyCount(c.reply), c.count) << c.reply;
        EXPECT_EQ(isQueryReplyPrefix(c.reply), c.accepted) << c.reply;
    }
}

}  // namespace
}  // namespace tonel::testing
