// Pictures of the System page for a human look: the defaults and a busy image with both
// crossover filters on. Written into the build folder.
#include "model/Fields.h"
#include "pages/SystemPage.h"
#include "tests/support/RecordingChannel.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace sys = fields::system;
namespace glb = fields::global;

QString buildDir()
{
    const char* dir = std::getenv("TONEL_BUILD_DIR");
    return dir != nullptr ? QString::fromLocal8Bit(dir) : QDir::currentPath();
}

void busy(ParameterImage& image)
{
    const EqBand room[] = {{1, 20, 48, 30}, {2, 40, 24, 46}, {3, 95, 40, 46}, {4, 10, 8, 46},
                           {5, 75, 24, 60}, {0, 60, 24, 46}, {1, 121, 0, 72}};
    for (int i = 0; i < 7; ++i)
        image.setBand(sys::roomEq(i), room[i]);
    image.setBand(sys::centreEq(0), {1, 50, 36, 20});
    image.setBand(sys::centreEq(1), {3, 110, 14, 46});
    image.setBand(sys::subEq(0), {4, 15, 44, 46});
    image.setBand(sys::subEq(1), {1, 1, 10, 0});
    image.set(sys::centreLevel, 37);
    image.set(sys::subLevel, 12);
    image.set(sys::aux1Level, 0);
    image.set(sys::aux2Level, 25);
    image.set(sys::subHighPass, 13);
    image.set(sys::subLowPass, 37);
    image.set(sys::aux1Delay, 37);
    image.set(sys::aux2Delay, 100);
    image.set(sys::subPhase, 1);
    image.set(sys::subAutoAttenuation, 5);
    image.set(glb::effectProgram, 2);
    image.set(glb::panelLock, 1);
    image.set(glb::displayContrast, 3);
    image.set(glb::controlMode, 1);
}

void writeScreenshot(const char* name, ParameterImage& image)
{
    RecordingChannel channel;
    SystemPage page{PageContext{image, channel}, nullptr};
    page.refreshFromImage();
    page.applyControlMode();
    const QImage picture = page.grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1010, 592));
    const QString path = QDir(buildDir()).filePath(QStringLiteral("system_page_%1.png").arg(name));
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), picture.size()) << path.toStdString();
}

TEST(SystemScreenshots, WritesTheDefaultsAndABusyImage)
{
    ParameterImage defaults;
    writeScreenshot("default", defaults);
    ParameterImage crowded;
    busy(crowded);
    writeScreenshot("busy", crowded);
}

}  // namespace
}  // namespace tonel::testing
