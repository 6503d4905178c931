// The port list of a scan: the catalog's names in its order, at most 200 tried; the real close.

#include "tests/device/SessionFixture.h"

#include <numeric>

namespace tonel::testing {
namespace {

std::vector<int> range(int first, int last)
{
    std::vector<int> v(static_cast<std::size_t>(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

std::vector<std::string> names(const std::vector<int>& ports)
{
    std::vector<std::string> out;
    for (int n : ports)
        out.push_back(fakePortName(n));
    return out;
}

struct ScanCase {
    const char* name;
    std::vector<int> present;
    std::vector<int> listed;
};

class PortScan : public SessionTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(PortScan, ListsInCatalogOrderAndBounded)
{
    catalog.setPorts(GetParam().present);
    session.onReadButton();
    EXPECT_EQ(session.presentPorts(), names(GetParam().listed));
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
                                           ScanCase{"Descending201", descending(50, 250), descending(51, 250)}),
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
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_TRUE(host.messages()[0].text.starts_with("Device Not Found...\n/dev/fake1: in use by another program\n"));
}

TEST_F(SessionTest, DisconnectClosesThePortWithoutOpeningAnother)
{
    toConnected();
    const std::size_t opens = port.opens().size();
    session.onDisconnectButton();
    elapse(timer::kCloseDelay);
    EXPECT_EQ(port.opens().size(), opens);
    EXPECT_EQ(port.closeCalls(), 1);
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace tonel::testing
