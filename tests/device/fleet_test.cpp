// The fleet file: rooms by name, every fault named by file and line, and the order in which the
// file is looked for.

#include "device/Fleet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <map>
#include <set>

namespace tonel::testing {
namespace {

TEST(Fleet, ReadsRoomsWithCommentsBlanksAndCarriageReturns)
{
    const FleetLoad load = parseFleet("# name     port\n"
                                      "room01     tcp://10.1.0.11:4001   # by the bar\r\n"
                                      "\n"
                                      "\tlobby\t/dev/serial/by-id/usb-FTDI-if00-port0\n"
                                      "v6.room-2 rfc2217://[fe80::1]:2217",
                                      "fleet");
    ASSERT_TRUE(load.fleet) << load.error;
    ASSERT_EQ(load.fleet->entries.size(), 3u);
    EXPECT_EQ(load.fleet->entries[0].port, "tcp://10.1.0.11:4001");
    EXPECT_EQ(load.fleet->find("lobby")->port, "/dev/serial/by-id/usb-FTDI-if00-port0");
    EXPECT_EQ(load.fleet->find("v6.room-2")->line, 5);
    EXPECT_EQ(load.fleet->find("room1"), nullptr);
}

struct BadFleet {
    const char* text;
    const char* error;
};

class FleetFault : public ::testing::TestWithParam<BadFleet> {};

TEST_P(FleetFault, IsNamedWithFileAndLine)
{
    const FleetLoad load = parseFleet(GetParam().text, "/etc/tonel/fleet");
    EXPECT_FALSE(load.fleet);
    EXPECT_EQ(load.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FleetFault,
    ::testing::Values(
        BadFleet{"a tcp://h:1\nroom/1 tcp://h:2\n",
                 "/etc/tonel/fleet:2: \"room/1\" is not a room name (letters, digits, _ . - only)"},
        BadFleet{"room01\n", "/etc/tonel/fleet:1: room01 has no port"},
        BadFleet{"room01 tcp://h:1 extra\n",
                 "/etc/tonel/fleet:1: more than a name and a port (a port name has no blanks)"},
        BadFleet{"room01 ftp://h:1\n", "/etc/tonel/fleet:1: \"ftp://h:1\" is not a port name (a tty path, "
                                       "tcp://HOST:PORT or rfc2217://HOST:PORT)"},
        BadFleet{"room01 tcp://h:1\n#\nroom01 tcp://h:2\n", "/etc/tonel/fleet:3: room01 is already named at line 1"},
        BadFleet{"room01 tcp://h:1\x1b[2J\n", "/etc/tonel/fleet:1: a control character in the line"},
        BadFleet{"r\xc3\xa4um tcp://h:1\n",
                 "/etc/tonel/fleet:1: \"r\xc3\xa4um\" is not a room name (letters, digits, _ . - only)"}));

TEST(Fleet, RefusesMoreRoomsThanItKeeps)
{
    std::string text;
    for (std::size_t i = 0; i <= Fleet::kMaxEntries; ++i)
        text += "r" + std::to_string(i) + " tcp://h:1\n";
    EXPECT_EQ(parseFleet(text, "f").error, "f:4097: more than 4096 processors");
}

TEST(Fleet, RefusesWhatIsNotARegularFileOfBoundedSize)
{
    EXPECT_EQ(loadFleetFile("/dev/null").error, "/dev/null: not a regular file");
    EXPECT_EQ(loadFleetFile("/nonexistent/fleet").error, "/nonexistent/fleet: No such file or directory");
    char path[] = "/tmp/fleet-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string big(Fleet::kMaxFileBytes + 1, '#');
    ASSERT_EQ(::write(fd, big.data(), big.size()), static_cast<ssize_t>(big.size()));
    ::close(fd);
    EXPECT_EQ(loadFleetFile(path).error, std::string(path) + ": larger than 1048576 bytes");
    std::remove(path);
}

TEST(Fleet, IsLookedForInOrder)
{
    std::map<std::string, std::string> env;
    std::set<std::string> files;
    const auto locate = [&](std::optional<std::string> given) {
        return locateFleetFile(
            given,
            [&](const char* name) -> std::optional<std::string> {
                const auto it = env.find(name);
                return it == env.end() ? std::nullopt : std::optional(it->second);
            },
            [&](const std::string& path) { return files.contains(path); });
    };
    EXPECT_EQ(locate(std::nullopt), std::nullopt);
    files = {"/etc/tonel/fleet", "/home/t/.config/tonel/fleet", "/x/tonel/fleet"};
    EXPECT_EQ(locate(std::nullopt), "/etc/tonel/fleet");
    env["HOME"] = "/home/t";
    EXPECT_EQ(locate(std::nullopt), "/home/t/.config/tonel/fleet");
    env["XDG_CONFIG_HOME"] = "/x";
    EXPECT_EQ(locate(std::nullopt), "/x/tonel/fleet");
    env["TONEL_FLEET"] = "/missing/fleet";  // named: used even when it is not there, so it is reported
    EXPECT_EQ(locate(std::nullopt), "/missing/fleet");
    EXPECT_EQ(locate("given"), "given");
}

TEST(Fleet, ResolvesRoomsAndPorts)
{
    const FleetLoad load = parseFleet("room07 tcp://10.1.0.17:4001\n", "/etc/tonel/fleet");
    ASSERT_TRUE(load.fleet);
    const ResolvedPort room = resolvePort("room07", &*load.fleet);
    EXPECT_EQ(room.name, "room07");
    EXPECT_EQ(room.port, "tcp://10.1.0.17:4001");
    EXPECT_EQ(resolvePort("/dev/ttyUSB0", &*load.fleet).port, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort("tcp://h:1", nullptr).port, "tcp://h:1");
    EXPECT_EQ(resolvePort("room08", &*load.fleet).error, "no room \"room08\" in /etc/tonel/fleet");
    EXPECT_NE(resolvePort("room07", nullptr).error.find("no fleet file is set up"), std::string::npos);
}

}  // namespace
}  // namespace tonel::testing
