// The pending texts of the port: which texts replace each other, and that order is kept.

#include "device/WireProtocol.h"
#include "device/detail/WriteQueue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tonel::testing {
namespace {

using detail::WriteQueue;

struct KeyCase {
    const char* text;
    const char* key;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class CommandKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CommandKeyTest, NamesTheCommand)
{
    EXPECT_EQ(wire::commandKey(GetParam().text), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Frames, CommandKeyTest,
                         ::testing::Values(KeyCase{"(01$005000039)", "(01$005000"},
                                           KeyCase{"(01$003000  5)", "(01$003000"},
                                           KeyCase{"(01$008100001060024046)", "(01$008100"},
                                           KeyCase{"(01hello)", "(01hello"}, KeyCase{"(01bye)", "(01bye"},
                                           KeyCase{"(01Q)", "(01Q"}, KeyCase{"(01P376ABC)", "(01P"},
                                           KeyCase{"(01S)", "(01S"}, KeyCase{"(01O1)", "(01O"},
                                           KeyCase{"(01CD)", "(01C"}, KeyCase{"(01T3)", "(01T"},
                                           KeyCase{"(01$0050)", ""}, KeyCase{"(01$00a000001)", ""},
                                           KeyCase{"(01X)", ""}, KeyCase{"hello", ""}, KeyCase{"", ""},
                                           KeyCase{"(01", ""}));

std::vector<std::string> drain(WriteQueue& queue)
{
    std::vector<std::string> texts;
    while (auto text = queue.pop())
        texts.push_back(*text);
    return texts;
}

struct QueueCase {
    const char* name;
    std::vector<std::string> pushed;
    std::vector<std::string> sent;
};
void PrintTo(const QueueCase& c, std::ostream* os) { *os << c.name; }

class WriteQueueTest : public ::testing::TestWithParam<QueueCase> {};

TEST_P(WriteQueueTest, SendsInOrderReplacingOnlyTheSameCommandAtTheTail)
{
    WriteQueue queue;
    for (const std::string& text : GetParam().pushed)
        queue.push(text);
    EXPECT_EQ(drain(queue), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, WriteQueueTest,
    ::testing::Values(
        QueueCase{"SliderDrag", {"(01$005000001)", "(01$005000002)", "(01$005000003)"}, {"(01$005000003)"}},
        QueueCase{"DifferentParameters",
                  {"(01$005000001)", "(01$005001002)", "(01$006000003)"},
                  {"(01$005000001)", "(01$005001002)", "(01$006000003)"}},
        // An effect value must not jump ahead of the program switch sent between its two values.
        QueueCase{"SameCommandNotAtTheTail",
                  {"(01$004000010)", "(01$001000002)", "(01$004000020)"},
                  {"(01$004000010)", "(01$001000002)", "(01$004000020)"}},
        QueueCase{"ModeToggles", {"(01O1)", "(01O0)"}, {"(01O0)"}},
        QueueCase{"LockThenContrast", {"(01CD)", "(01T2)", "(01CE)"}, {"(01CD)", "(01T2)", "(01CE)"}},
        QueueCase{"BandDrag",
                  {"(01$008100001060024046)", "(01$008100001061024046)"},
                  {"(01$008100001061024046)"}},
        QueueCase{"TwoBands",
                  {"(01$008100001060024046)", "(01$008101001061024046)"},
                  {"(01$008100001060024046)", "(01$008101001061024046)"}},
        QueueCase{"HelloThenQuery", {"(01hello)", "(01Q)"}, {"(01hello)", "(01Q)"}},
        QueueCase{"NotFramesAreNeverMerged", {"abc", "abc"}, {"abc", "abc"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteQueue, KeepsTheNewestWhenFull)
{
    WriteQueue queue;
    for (std::size_t i = 0; i < WriteQueue::kMaxTexts + 2; ++i)
        queue.push("text" + std::to_string(i));
    EXPECT_EQ(queue.size(), WriteQueue::kMaxTexts);
    EXPECT_EQ(queue.dropped(), 2u);
    EXPECT_EQ(queue.pop(), "text2");
}

TEST(WriteQueue, ReplacedTextIsNotCountedAsDropped)
{
    WriteQueue queue;
    queue.push("(01$005000001)");
    queue.push("(01$005000002)");
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.dropped(), 0u);
}

// A slow line and a fast operator: a full queue gives up superseded values, never a last one.
TEST(WriteQueue, FullQueueKeepsTheLastValueOfEveryCommand)
{
    WriteQueue queue;
    const auto text = [](int item, int value) {
        char t[16];
        std::snprintf(t, sizeof t, "(01$006%03d%03d)", item, value);
        return std::string(t);
    };
    for (int n = 0; n < 1000; ++n)
        queue.push(text(n % 12, n % 251));  // 12 music commands in turn: never the same as the last text
    std::map<std::string, std::string> last;
    while (auto t = queue.pop())
        last[t->substr(0, 10)] = *t;
    ASSERT_EQ(last.size(), 12u);
    for (int item = 0; item < 12; ++item) {
        const int n = 999 - (999 - item) % 12;  // the last n below 1000 with n % 12 == item
        EXPECT_EQ(last[text(item, 0).substr(0, 10)], text(item, n % 251)) << item;
    }
    EXPECT_EQ(queue.dropped(), 0u);
}

TEST(WriteQueue, CompactionNeverDropsAValueAcrossAProgramSwitch)
{
    WriteQueue queue;
    queue.push("(01$004000010)");  // master level of program 0
    queue.push("(01$001000001)");  // switch to program 1
    for (int n = 0; n < 300; ++n)
        queue.push(n % 2 ? "(01$004000020)" : "(01$004001001)");
    std::vector<std::string> sent;
    while (auto t = queue.pop())
        sent.push_back(*t);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "(01$004000010)");
    EXPECT_EQ(sent[1], "(01$001000001)");
    EXPECT_EQ(sent.back(), "(01$004000020)");
    EXPECT_EQ(queue.dropped(), 0u);
}

}  // namespace
}  // namespace tonel::testing
