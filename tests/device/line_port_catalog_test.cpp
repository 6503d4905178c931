// Port lists: the names given on the command line, and the kernel's serial devices.

#include "device/PortCatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExplicitPortCatalog, ListsTheGivenNamesInOrderAtMost256)
{
    const std::vector<std::string> given = {"/dev/ttyUSB1", "tcp://10.0.0.5:4001", "/missing", "rfc2217://[::1]:7000"};
    EXPECT_EQ(ExplicitPortCatalog(given).presentPorts(), given);
    EXPECT_EQ(ExplicitPortCatalog(std::vector<std::string>(300, "/dev/ttyS0")).presentPorts().size(), 256u);
    EXPECT_TRUE(ExplicitPortCatalog({}).presentPorts().empty());
}

TEST(NaturalOrder, ComparesDigitRunsAsNumbers)
{
    std::vector<std::string> names = {"ttyUSB0", "ttyS10", "ttyS2", "ttyACM0", "ttyS0", "ttyS1"};
    std::sort(names.begin(), names.end(), naturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyS1", "ttyS2", "ttyS10", "ttyUSB0"}));
    EXPECT_FALSE(naturalLess("ttyS1", "ttyS1"));
}

// A miniature /sys/class/tty: real ports link to a device, virtual ones live under "virtual".
class SysfsCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("tonel-sysfs-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "class/tty");
        fs::create_directories(root_ / "devices/platform/serial8250");
    }
    void TearDown() override { fs::remove_all(root_); }

    // A tty backed by a platform device; `type` written when given.
    void addPort(const std::string& name, const char* type)
    {
        const fs::path dir = root_ / "devices/platform/serial8250/tty" / name;
        fs::create_directories(dir);
        fs::create_directory_symlink(root_ / "devices/platform/serial8250", dir / "device");
        if (type)
            std::ofstream(dir / "type") << type << "\n";
        fs::create_directory_symlink(dir, root_ / "class/tty" / name);
    }
    void addVirtual(const std::string& name, bool withDevice)
    {
        const fs::path dir = root_ / "devices/virtual/tty" / name;
        fs::create_directories(dir);
        if (withDevice)
            fs::create_directories(dir / "device");
        fs::create_directory_symlink(dir, root_ / "class/tty" / name);
    }
    SysfsPortCatalog catalog() const
    {
        return SysfsPortCatalog((root_ / "class/tty").string(), "/devx", (root_ / "proc-serial").string());
    }

    fs::path root_;
};

TEST_F(SysfsCatalogTest, ListsRealSerialDevicesSortedAndNumberedFromOne)
{
    addPort("ttyS0", "4");
    addPort("ttyS1", "0");      // an 8250 slot without a UART
    addPort("ttyS10", "4");
    addPort("ttyS2", "4");
    addPort("ttyUSB0", nullptr);
    addVirtual("tty0", false);
    addVirtual("ptmx", false);
    addVirtual("ttyV0", true);  // has a device entry but lives under "virtual"
    const SysfsPortCatalog ports = catalog();
    EXPECT_EQ(ports.scanNames(), (std::vector<std::string>{"ttyS0", "ttyS2", "ttyS10", "ttyUSB0"}));
    EXPECT_EQ(ports.presentPorts(),
              (std::vector<std::string>{"/devx/ttyS0", "/devx/ttyS2", "/devx/ttyS10", "/devx/ttyUSB0"}));
}

// Without a `type` attribute the driver's table decides, and without the table the port is
// listed: the scan never opens a device to find out.
TEST_F(SysfsCatalogTest, WithoutTypeTheDriverTableDecides)
{
    addPort("ttyS0", nullptr);
    addPort("ttyS1", nullptr);
    addPort("ttyS3", nullptr);
    EXPECT_EQ(catalog().scanNames(), (std::vector<std::string>{"ttyS0", "ttyS1", "ttyS3"}));
    std::ofstream(root_ / "proc-serial") << "serinfo:1.0 driver revision:\n"
                                            "0: uart:16550A port:000003F8 irq:4 tx:0 rx:0\n"
                                            "1: uart:unknown port:000002F8 irq:3\n"
                                            "13: uart:unknown port:00000000 irq:0\n";
    EXPECT_EQ(catalog().scanNames(), (std::vector<std::string>{"ttyS0", "ttyS3"}));
}

TEST_F(SysfsCatalogTest, NoSerialDevicesNoPorts)
{
    addVirtual("tty1", false);
    EXPECT_TRUE(catalog().presentPorts().empty());
}

TEST(SysfsPortCatalog, MissingFolderHasNoPorts)
{
    SysfsPortCatalog catalog("/nonexistent/sys/class/tty", "/dev");
    EXPECT_TRUE(catalog.presentPorts().empty());
}

}  // namespace
}  // namespace tonel::testing
