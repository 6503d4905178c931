// Pictures of the main window on each page, written to <build>/screenshots for a human look.

#include "ViewFixture.h"
#include "app/ViewLayout.h"

#include <QDir>
#include <QImage>

#include <cstdlib>

namespace tonel::testing {
namespace {

struct MainWindowPictures : ViewFixture {
    void SetUp() override { makeView(makeStandardPages); }
};

QString screenshotFolder()
{
    const char* build = std::getenv("TONEL_BUILD_DIR");
    const QString folder = QString::fromLocal8Bit(build != nullptr ? build : ".") + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    return folder;
}

TEST_F(MainWindowPictures, EveryPageIsDrawnUnderItsSelectedButton)
{
    const auto& pageIds = kPageTemplateIds;
    const QString folder = screenshotFolder();
    for (int i = 0; i < 4; ++i) {
        click(view::kPageButtons[i].id);
        const QImage picture = view->grab().toImage();
        ASSERT_EQ(picture.size(), view::kSize);
        const QString path = folder + QStringLiteral("/main-window-%1.png").arg(pageIds[i]);
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
        for (int b = 0; b < 4; ++b) {
            const QRect r = button(view::kPageButtons[b].id)->geometry();
            const QColor face = picture.pixelColor(r.left() + 6, r.top() + 6);
            EXPECT_EQ(face, b == i ? view::kSelectedFace : view::kUnselectedFace) << pageIds[i] << " button " << b;
        }
        EXPECT_TRUE(page(pageIds[i])->isVisible());
    }
}

}  // namespace
}  // namespace tonel::testing
