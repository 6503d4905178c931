#include "device/WireProtocol.h"

#include <gtest/gtest.h>

#include <string>

namespace tonel::testing {
using namespace tonel::wire;
namespace {

void feed(ReplyBuffer& buffer, std::string_view text)
{
    for (char c : text)
        buffer.append(c);
}

TEST(ReplyBuffer, AssemblesAReplyCharacterByCharacter)
{
    ReplyBuffer buffer;
    feed(buffer, "(01hello13)");
    EXPECT_EQ(buffer.text(), kHelloReply);
}

TEST(ReplyBuffer, CharactersAfterTheClosingParenthesisStay)
{
    ReplyBuffer buffer;
    feed(buffer, "(01hello13)\r");
    EXPECT_NE(buffer.text(), kHelloReply);
    EXPECT_EQ(buffer.text(), "(01hello13)\r");
}

TEST(ReplyBuffer, OpeningParenthesisRestartsTheReply)
{
    ReplyBuffer buffer;
    feed(buffer, "noise(01P3");
    EXPECT_EQ(buffer.text(), "(01P3");
    feed(buffer, "(01P376)");
    EXPECT_EQ(buffer.text(), kUploadAck);
    buffer.append('(');
    EXPECT_EQ(buffer.text(), "(");
}

TEST(ReplyBuffer, TextBeforeAnyParenthesisIsKept)
{
    ReplyBuffer buffer;
    feed(buffer, "01)");
    EXPECT_EQ(buffer.text(), "01)");
}

TEST(ReplyBuffer, FirstFourAndNumberAtFour)
{
    ReplyBuffer buffer;
    feed(buffer, "(01Q376AB");
    EXPECT_EQ(buffer.firstFour(), kQueryReplyPrefix);
    EXPECT_EQ(buffer.numberAt4(), 376);
    feed(buffer, "(01Q037");
    EXPECT_EQ(buffer.numberAt4(), 37);
    feed(buffer, "(01");
    EXPECT_EQ(buffer.firstFour(), "(01");
    EXPECT_EQ(buffer.numberAt4(), 0);
}

TEST(ReplyBuffer, IsBoundedUntilTheNextOpeningParenthesis)
{
    ReplyBuffer buffer;
    buffer.append('(');
    for (int i = 0; i < 10000; ++i)
        buffer.append('A');
    EXPECT_EQ(buffer.text().size(), ReplyBuffer::kMaxLength);
    buffer.append(')');
    EXPECT_EQ(buffer.text().back(), 'A');  // dropped, not appended
    feed(buffer, "(01hello13)");
    EXPECT_EQ(buffer.text(), kHelloReply);
}

TEST(ReplyBuffer, ClearEmptiesIt)
{
    ReplyBuffer buffer;
    feed(buffer, "(01S)");
    buffer.clear();
    EXPECT_EQ(buffer.text(), "");
    EXPECT_EQ(buffer.firstFour(), "");
}

}  // namespace
}  // namespace tonel::testing
