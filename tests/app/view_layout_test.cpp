#include "ViewFixture.h"

#include "controls/PageButton.h"
#include "model/Fields.h"

#include <QImage>

namespace tonel::testing {
namespace {

struct ButtonRow {
    int id;
    const char* caption;
    QRect rect;  // left, top, right (exclusive), bottom (exclusive) as (x, y, w, h)
    bool enabled;
};

const ButtonRow kButtons[] = {
    {1201, "打开配置文件", QRect(4, 10, 162, 30), true},   {1202, "保存配置文件", QRect(172, 10, 162, 30), true},
    {1203, "从设备读取", QRect(340, 10, 162, 30), true},   {1204, "向设备写配置", QRect(508, 10, 162, 30), true},
    {1205, "简易模式", QRect(676, 10, 162, 30), true},      {1206, "断开联接", QRect(844, 10, 162, 30), false},
    {1207, "效果", QRect(4, 50, 250, 30), true},           {1208, "话筒", QRect(260, 50, 250, 30), true},
    {1209, "音乐", QRect(516, 50, 250, 30), true},         {1210, "系统", QRect(772, 50, 235, 30), true},
};

using ViewLayout = ViewFixture;

TEST_F(ViewLayout, TenButtonsAtTheirRectanglesWithTheirCaptions)
{
    for (const ButtonRow& row : kButtons) {
        QPushButton* b = button(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(b->geometry(), row.rect) << row.id;
        EXPECT_EQ(b->text(), QString::fromUtf8(row.caption)) << row.id;
        EXPECT_EQ(b->isEnabled(), row.enabled) << row.id;
        EXPECT_TRUE(b->isVisible()) << row.id;
        EXPECT_EQ(qobject_cast<PageButton*>(b) != nullptr, row.id >= 1207) << row.id;
    }
}

TEST_F(ViewLayout, EffectPageShownAndItsButtonSelected)
{
    const char* pages[] = {"130", "131", "134", "135"};
    for (int i = 0; i < 4; ++i) {
        QWidget* p = page(pages[i]);
        ASSERT_NE(p, nullptr) << pages[i];
        EXPECT_EQ(p->pos(), QPoint(3, 90));
        EXPECT_EQ(p->isVisible(), i == 0) << pages[i];
        auto* nav = qobject_cast<PageButton*>(button(1207 + i));
        EXPECT_EQ(nav->faceColor(), i == 0 ? QColor(192, 192, 0) : QColor(100, 100, 100));
        EXPECT_EQ(nav->captionColor(), i == 0 ? QColor(0, 0, 255) : QColor(255, 255, 255));
        EXPECT_EQ(nav->highlight(), i == 0);
    }
    EXPECT_EQ(view->shownPage(), 0);
}

TEST_F(ViewLayout, CreationRefreshesEveryPageThenAppliesTheMode)
{
    const std::vector<std::string> expected{"130 refresh", "130 redraw", "131 refresh", "131 redraw",
                                            "134 refresh", "134 redraw", "135 refresh", "135 redraw",
                                            "130 mode",    "131 mode",   "134 mode",    "135 mode"};
    EXPECT_EQ(pageLog, expected);
}

TEST_F(ViewLayout, CreationFillsTheImageWithDefaults)
{
    image.set(fields::global::controlMode, 2);
    makeView(loggingPages(pageLog));
    EXPECT_EQ(image.bytes(), defaultImageBytes());
}

TEST_F(ViewLayout, BlackBackgroundWithGreenFrameAndYellowDividers)
{
    const QImage picture = view->grab().toImage();
    const QColor green(0, 255, 0), yellow(255, 255, 0), black(0, 0, 0);
    for (const int y : {5, 45, 85})
        EXPECT_EQ(picture.pixelColor(2, y), green) << y;
    for (const int x : {0, 1012})
        EXPECT_EQ(picture.pixelColor(x, 30), green) << x;
    EXPECT_EQ(picture.pixelColor(1020, 85), green);
    for (const int x : {169, 337, 505, 673, 841}) {
        EXPECT_EQ(picture.pixelColor(x, 25), yellow) << x;
        EXPECT_EQ(picture.pixelColor(x - 1, 25), yellow) << "2 pixels wide at " << x;
        EXPECT_EQ(picture.pixelColor(x, 47), black) << x;
    }
    for (const int x : {257, 513, 769}) {
        EXPECT_EQ(picture.pixelColor(x, 65), yellow) << x;
        EXPECT_EQ(picture.pixelColor(x, 42), black) << x;
    }
    EXPECT_EQ(picture.pixelColor(1018, 30), black);
    EXPECT_EQ(picture.pixelColor(500, 686), black);
}

TEST_F(ViewLayout, PagesFitTheView)
{
    EXPECT_EQ(view->size(), QSize(1024, 690));
    for (const char* id : {"130", "131", "134", "135"})
        EXPECT_LE(page(id)->geometry().bottom(), view->height() - 1);
}

}  // namespace
}  // namespace tonel::testing
