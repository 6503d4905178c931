// Port numbers: the bounded scan and the absent number that closes the port object.

#include "tests/device/session_fixture.h"

#include <numeric>

namespace tonel::testing {
namespace {

std::vector<int> range(int first, int last)
{
    std::vector<int> v(static_cast<std::size_t>(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

struct ScanCase {
    const char* name;
    std::vector<int> present;
    std::vector<int> listed;
};

class PortScan : public SessionTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(PortScan, ListsAscendingAndBounded)
{
    catalog.setPorts(GetParam().present);
    session.onReadButton();
    EXPECT_EQ(session.presentPorts(), GetParam().listed);
}

std::vector<int> descending(int first, int last)
{
    std::vector<int> v = range(first, last);
    return {v.rbegin(), v.rend()};
}

INSTANTIATE_TEST_SUITE_P(Catalogs, PortScan,
                         ::testing::Values(ScanCase{"Few", {2, 5, 9}, {2, 5, 9}},
                                           ScanCase{"Exactly200", range(1, 200), range(1, 200)},
                                           ScanCase{"All256KeepsFirst200", range(1, 256), range(1, 200)},
                                           ScanCase{"Unsorted201", descending(50, 250), range(50, 249)},
                                           ScanCase{"OutOfRangeAndDuplicates", {0, 3, 3, 300, 2, -1, 256}, {2, 3, 256}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, PortBeyondTheFirst200IsNeverTried)
{
    catalog.setPorts(range(1, 256));
    for (int n = 1; n <= 256; ++n) {
        if (n != 201)
            port.failOpen(n);
    }
    port.setDevice(201, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();

    EXPECT_EQ(port.openedPortNumbers(), range(1, 200));
    ASSERT_EQ(owner.messages().size(), 1u);
    EXPECT_EQ(owner.messages()[0].text, "Device Not Found...");
}

struct CloseCase {
    const char* name;
    std::vector<int> present;
    int closingNumber;
};

class ClosingNumber : public SessionTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingNumber, IsTheLowestNumberWithoutADevice)
{
    catalog.setPorts(GetParam().present);
    for (int n : GetParam().present)
        port.failOpen(n);  // only the scan matters here
    session.onReadButton();
    session.onDisconnectButton();
    const std::size_t opens = port.opens().size();
    elapse(timer::kCloseDelay);

    ASSERT_EQ(port.opens().size(), opens + 1);
    EXPECT_EQ(port.opens().back().port, GetParam().closingNumber);
    EXPECT_FALSE(port.opens().back().opened);
    EXPECT_EQ(port.openPort(), 0);
}

std::vector<int> allBut(int missing)
{
    std::vector<int> v = range(1, 256);
    std::erase(v, missing);
    return v;
}

INSTANTIATE_TEST_SUITE_P(Catalogs, ClosingNumber,
                         ::testing::Values(CloseCase{"Gap", {1, 2, 4}, 3},
                                           CloseCase{"NoOne", {2, 3}, 1},
                                           CloseCase{"AfterRun", {1, 2, 3}, 4},
                                           CloseCase{"Only255Missing", allBut(255), 255},
                                           // A device beyond the scan's first 200 is never opened to close.
                                           CloseCase{"Listed210", range(1, 210), 211},
                                           CloseCase{"Every256", range(1, 256), 257}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, ClosingSkipsAPortPluggedInDuringTheSession)
{
    catalog.setPorts({1});
    port.setDevice(1, readableDevice(queryReply(distinctImage(1))));
    session.onReadButton();
    elapse(timer::kHelloDelay + timer::kReadDelay);
    catalog.setPorts({1, 2});
    session.onDisconnectButton();
    elapse(timer::kCloseDelay);
    EXPECT_EQ(port.opens().back().port, 3);
}

}  // namespace
}  // namespace tonel::testing
