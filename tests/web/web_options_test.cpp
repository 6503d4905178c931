// tonel-web's command line: what starts, and what is refused before anything listens.

#include "web/server/WebOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace tonel::testing {
namespace {

web::ParsedWebOptions parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "tonel-web");
    return web::parseWebOptions(static_cast<int>(args.size()), args.data());
}

TEST(WebOptions, TakesProcessorsByNameAndListensOnLoopback)
{
    const auto parsed = parse({"--port", "room01=tcp://10.1.0.11:4001", "--port", "lobby=/dev/ttyUSB0"});
    ASSERT_TRUE(parsed.options) << parsed.text;
    EXPECT_EQ(parsed.options->host, "127.0.0.1");
    EXPECT_EQ(parsed.options->port, "8380");
    ASSERT_EQ(parsed.options->processors.size(), 2u);
    EXPECT_EQ(parsed.options->processors[1].port, "/dev/ttyUSB0");
    EXPECT_EQ(parse({"--help"}).exitCode, 0);
    EXPECT_NE(parse({"--help"}).text.find("--token-file"), std::string::npos);
}

struct BadOptions {
    std::vector<const char*> args;
    const char* says;
};

class WebOptionsRefuse : public ::testing::TestWithParam<BadOptions> {};

TEST_P(WebOptionsRefuse, WithExitTwoAndTheReason)
{
    const auto parsed = parse(GetParam().args);
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.exitCode, 2);
    EXPECT_NE(parsed.text.find(GetParam().says), std::string::npos) << parsed.text;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WebOptionsRefuse,
    ::testing::Values(
        BadOptions{{"--listen", "0.0.0.0:8380", "--port", "a=/dev/ttyS0"}, "needs --token-file"},
        BadOptions{{"--listen", "::1:8380", "--port", "a=/dev/ttyS0"}, "--listen ::1:8380"},
        BadOptions{{"--port", "room 1=/dev/ttyS0"}, "expected NAME=PORT"},
        BadOptions{{"--port", "a=ftp://h:1"}, "--port a=ftp://h:1"},
        BadOptions{{"--port", "a=/dev/ttyS0", "--port", "a=/dev/ttyS1"}, "named twice"},
        BadOptions{{"--port", "a=/dev/ttyS0", "--token-file", "/nonexistent"}, "/nonexistent"},
        BadOptions{{"--fleet", "/nonexistent/fleet"}, "/nonexistent/fleet"},
        BadOptions{{"--bogus"}, "see tonel-web --help"}));

}  // namespace
}  // namespace tonel::testing
