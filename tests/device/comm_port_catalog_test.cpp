// Port numbers: the devices named on the command line, and the kernel's serial devices.

#include "device/PortCatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace tonel {
namespace {

namespace fs = std::filesystem;

TEST(ExplicitPortCatalog, NumbersTheGivenDevicesFromOneInOrder)
{
    ExplicitPortCatalog catalog({"/dev/ttyUSB1", "/dev/ttyS0", "/missing"});
    EXPECT_EQ(catalog.presentPorts(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(catalog.devicePath(1), "/dev/ttyUSB1");
    EXPECT_EQ(catalog.devicePath(2), "/dev/ttyS0");
    EXPECT_EQ(catalog.devicePath(3), "/missing");
    for (int absent : {0, 4, 257, -1})
        EXPECT_EQ(catalog.devicePath(absent), "") << absent;
}

TEST(ExplicitPortCatalog, KeepsAtMost256)
{
    ExplicitPortCatalog catalog(std::vector<std::string>(300, "/dev/ttyS0"));
    EXPECT_EQ(catalog.presentPorts().size(), 256u);
    EXPECT_EQ(catalog.presentPorts().back(), 256);
    EXPECT_EQ(catalog.devicePath(257), "");
}

TEST(ExplicitPortCatalog, EmptyHasNoPorts)
{
    ExplicitPortCatalog catalog({});
    EXPECT_TRUE(catalog.presentPorts().empty());
    EXPECT_EQ(catalog.devicePath(1), "");
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
    SysfsPortCatalog catalog() const { return SysfsPortCatalog((root_ / "class/tty").string(), "/devx"); }

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
    EXPECT_EQ(ports.presentPorts(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(ports.devicePath(1), "/devx/ttyS0");
    EXPECT_EQ(ports.devicePath(3), "/devx/ttyS10");
    EXPECT_EQ(ports.devicePath(5), "");
    EXPECT_EQ(ports.devicePath(257), "");
}

TEST_F(SysfsCatalogTest, NoSerialDevicesNoPorts)
{
    addVirtual("tty1", false);
    EXPECT_TRUE(catalog().presentPorts().empty());
    EXPECT_EQ(catalog().devicePath(1), "");
}

TEST(SysfsPortCatalog, MissingFolderHasNoPorts)
{
    SysfsPortCatalog catalog("/nonexistent/sys/class/tty", "/dev");
    EXPECT_TRUE(catalog.presentPorts().empty());
}

}  // namespace
}  // namespace tonel
