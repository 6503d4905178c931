// Writes the README's pictures: the main window on each page, connected to the virtual processor,
// in the full set of controls. Usage: make_screenshots OUTPUT_FOLDER
// Under a scale factor (QT_SCALE_FACTOR=2) the names carry it: page-effect@2x.png.
#include "app/DemoRun.h"
#include "app/MainView.h"
#include "emulator/VirtualProcessor.h"
#include "model/Fields.h"

#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

namespace {

// Something worth looking at: shaped bands and the crossovers on.
tonel::ImageBytes demoImage()
{
    using namespace tonel::fields;
    tonel::ImageBytes b = tonel::defaultImageBytes();
    b[global::controlMode] = 1;
    const auto band = [&](std::size_t at, int type, int freq, int gain, int q) {
        b[at] = static_cast<std::uint8_t>(type);
        b[at + 1] = static_cast<std::uint8_t>(freq);
        b[at + 2] = static_cast<std::uint8_t>(gain);
        b[at + 3] = static_cast<std::uint8_t>(q);
    };
    band(effect::at(0, effect::eq(0)), 4, 30, 32, 46);
    band(effect::at(0, effect::eq(1)), 1, 95, 16, 40);
    band(mic::micEq(0), 1, 75, 30, 30);
    band(mic::micEq(1), 1, 75, 30, 30);
    band(mic::eq(1), 1, 50, 18, 50);
    band(mic::eq(2), 5, 85, 24, 60);
    band(music::eq(1), 1, 45, 34, 35);
    band(music::eq(3), 1, 90, 14, 42);
    band(system::roomEq(2), 1, 40, 30, 40);
    band(system::roomEq(4), 1, 80, 18, 46);
    band(system::centreEq(0), 3, 95, 30, 46);
    band(system::subEq(0), 1, 15, 32, 40);
    b[system::subHighPass] = 8;
    b[system::subLowPass] = 33;
    return b;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    tonel::Application app(nullptr, nullptr, QSize(1920, 1050));  // the whole window, whatever the screen
    if (!tonel::startDemo(app))
        return 1;
    app.demoDevice()->setImage(demoImage());
    if (!tonel::readDevice(app, std::chrono::seconds(5)))
        return 1;
    tonel::MainView& view = app.mainWindow()->view();
    const char* names[] = {"effect", "microphone", "music", "system"};
    const qreal scale = app.mainWindow()->devicePixelRatioF();
    const QString suffix = scale == 1.0 ? QString() : QStringLiteral("@%1x").arg(scale);
    for (int i = 0; i < 4; ++i) {
        view.button(tonel::res::view::EffectPageButton + i)->click();
        view.setFocus();  // no focus ring in the pictures
        QApplication::processEvents();
        const QString path = QString::fromLocal8Bit(argv[1]) +
                             QStringLiteral("/page-%1%2.png").arg(QLatin1String(names[i]), suffix);
        if (!app.mainWindow()->grab().save(path))
            return 1;
        std::printf("%s\n", path.toLocal8Bit().constData());
    }
    return 0;
}
