#include "app/TonelOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>

namespace tonel::testing {
namespace {

TEST(TonelOptions, NothingMeansTheMachinesPorts)
{
    const TonelOptionsResult r = parseTonelOptions({});
    ASSERT_TRUE(r.options);
    EXPECT_FALSE(r.options->demo);
    EXPECT_TRUE(r.options->ports.empty());
    EXPECT_TRUE(r.options->file.empty());
}

TEST(TonelOptions, DemoPortsAndFile)
{
    const TonelOptionsResult r =
        parseTonelOptions({"--port", "/dev/ttyUSB0", "--demo", "--port=/dev/ttyS1", "live.cfg"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_TRUE(r.options->demo);
    EXPECT_EQ(r.options->ports, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS1"}));
    EXPECT_EQ(r.options->file, "live.cfg");
}

TEST(TonelOptions, DoubleDashEndsTheOptions)
{
    const TonelOptionsResult r = parseTonelOptions({"--", "--demo"});
    ASSERT_TRUE(r.options);
    EXPECT_FALSE(r.options->demo);
    EXPECT_EQ(r.options->file, "--demo");
}

TEST(TonelOptions, NamesKeepTheirBytes)
{
    const std::string latin1 = "/tmp/r\xE9sum\xE9.cfg", cut = "/dev/tty\xC3", wide = "\xF0\x9F\x8E\xA4.cfg";
    for (const std::string& file : {latin1, wide}) {
        const TonelOptionsResult r = parseTonelOptions({"--port", cut, "--port=" + latin1, file});
        ASSERT_TRUE(r.options) << r.error;
        EXPECT_EQ(r.options->file, file);
        EXPECT_EQ(r.options->ports, (std::vector<std::string>{cut, latin1}));
    }
}

TEST(TonelOptions, RoomsAreLookedUpInTheFleetFile)
{
    const std::string fleet = (std::filesystem::temp_directory_path() / "tonel_options_fleet").string();
    std::ofstream(fleet) << "# name port\nroom07  tcp://10.1.0.17:4001\nlobby /dev/ttyUSB1\n";
    const TonelOptionsResult r = parseTonelOptions({"--fleet", fleet, "--port", "room07", "--port=/dev/ttyS1",
                                                    "--port", "lobby"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->ports, (std::vector<std::string>{"tcp://10.1.0.17:4001", "/dev/ttyS1", "/dev/ttyUSB1"}));
    const TonelOptionsResult unknown = parseTonelOptions({"--fleet", fleet, "--port", "room08"});
    EXPECT_NE(unknown.error.find("no room \"room08\" in " + fleet), std::string::npos) << unknown.error;
    std::filesystem::remove(fleet);
}

TEST(TonelOptions, HelpAndVersionSayWhatTheyShould)
{
    for (const char* help : {"--help", "-h"})
        EXPECT_TRUE(parseTonelOptions({help}).options.value_or(TonelOptions{}).help) << help;
    for (const char* version : {"--version", "-v"})
        EXPECT_TRUE(parseTonelOptions({version}).options.value_or(TonelOptions{}).version) << version;
    const std::string help = tonelHelpText();
    EXPECT_EQ(help.rfind("Usage: tonel [options] [FILE.cfg]\n", 0), 0u) << help;
    for (const char* option : {"--demo", "--port <PORT>", "--fleet <FILE>", "--version", "-platform"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(tonelVersionText(), "tonel 1.0\n");
}

struct Wrong {
    std::vector<std::string> args;
    const char* says;
};

void PrintTo(const Wrong& wrong, std::ostream* out)
{
    for (const std::string& arg : wrong.args)
        *out << '[' << arg << ']';
}

class TonelOptionsWrong : public ::testing::TestWithParam<Wrong> {};

TEST_P(TonelOptionsWrong, IsOneLineWithTheUsage)
{
    const TonelOptionsResult r = parseTonelOptions(GetParam().args);
    EXPECT_FALSE(r.options);
    EXPECT_NE(r.error.find(GetParam().says), std::string::npos) << r.error;
    EXPECT_NE(r.error.find(kTonelUsage), std::string::npos);
    EXPECT_EQ(r.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, TonelOptionsWrong,
                         ::testing::Values(Wrong{{"--verbose"}, "unknown option '--verbose'"},
                                           Wrong{{"-x", "a.cfg"}, "unknown option '-x'"},
                                           Wrong{{"--port"}, "--port needs a device"},
                                           Wrong{{"--port", ""}, "--port needs a device"},
                                           Wrong{{"--port="}, "--port needs a device"},
                                           Wrong{{"--demo=yes"}, "--demo"},
                                           Wrong{{"--fleet"}, "--fleet needs a file"},
                                           Wrong{{"--fleet", "/nonexistent/fleet", "--port", "room07"}, "/nonexistent/fleet"},
                                           Wrong{{""}, "file name is empty"},
                                           Wrong{{"a.cfg", "b.cfg"}, "more than one file"}));

}  // namespace
}  // namespace tonel::testing
