// Writes pictures of typical and extreme graphs into the build folder for a human look.

#include "eq/EqGraphView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>

namespace tonel::testing {
namespace {

EqCurve curve(std::vector<EqBand> bands, QColor colour, std::vector<QString> labels,
              double xShift = -1.5, int handleLeftOffset = 3)
{
    EqCurve c;
    c.bands = std::move(bands);
    c.colour = colour;
    c.labels = std::move(labels);
    c.xShift = xShift;
    c.handleLeftOffset = handleLeftOffset;
    return c;
}

// The System page at its defaults: seven room bands, two centre and two subwoofer bands.
std::vector<EqCurve> defaultSystemCurves()
{
    const EqBand room{1, 69, 24, 46};
    const EqBand sub{1, 21, 24, 46};
    return {curve(std::vector<EqBand>(7, room), QColor(255, 255, 0),
                  {"1", "2", "3", "4", "5", "6", "7"}),
            curve({room, room}, QColor(0, 0, 255), {"C1", "C2"}),
            curve({sub, sub}, QColor(0, 255, 0), {"S1", "S2"})};
}

std::vector<EqCurve> defaultEffectCurves()
{
    return {curve({{4, 32, 24, 46}, {3, 89, 24, 46}}, QColor(24, 180, 255), {"1", "2"}, 0, 5)};
}

// Every type, the extreme gains, a notch and bands at both ends of the table.
std::vector<EqCurve> busyCurves()
{
    return {curve({{1, 30, 48, 40}, {1, 50, 0, 20}, {2, 75, 24, 46}, {3, 100, 48, 46},
                   {4, 12, 0, 46}, {5, 90, 24, 60}, {0, 60, 24, 46}},
                  QColor(255, 255, 0), {"1", "2", "3", "4", "5", "6", "7"}),
            curve({{1, 1, 48, 10}, {4, 121, 48, 46}}, QColor(0, 0, 255), {"C1", "C2"}),
            curve({{1, 121, 0, 72}, {2, 1, 24, 0}}, QColor(0, 255, 0), {"S1", "S2"})};
}

QString buildDir()
{
    const char* dir = std::getenv("TONEL_BUILD_DIR");
    return dir != nullptr ? QString::fromLocal8Bit(dir) : QDir::currentPath();
}

void writeSnapshot(const char* name, QSize client, std::vector<EqCurve> curves)
{
    EqGraphView view;
    view.resize(client + QSize(2, 2));
    view.setCurveSource([curves] { return curves; });
    const QImage picture = view.render();
    ASSERT_EQ(picture.size(), client);
    const QString path = QDir(buildDir()).filePath(QStringLiteral("eq_graph_%1.png").arg(name));
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_TRUE(QImage(path).size() == client) << path.toStdString();
}

TEST(EqGraphSnapshot, WritesPictures)
{
    writeSnapshot("system_default", {954, 264}, defaultSystemCurves());
    writeSnapshot("effect_default", {700, 200}, defaultEffectCurves());
    writeSnapshot("busy", {954, 264}, busyCurves());
    writeSnapshot("busy_small", {700, 200}, busyCurves());
}

}  // namespace
}  // namespace tonel::testing
