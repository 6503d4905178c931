#include "ViewFixture.h"

#include "app/ViewLayout.h"
#include "controls/PageButton.h"
#include "model/Fields.h"

#include <QImage>

#include <span>

namespace tonel::testing {
namespace {

using ViewLayout = ViewFixture;

TEST_F(ViewLayout, TenButtonsAtTheirRectanglesWithTheirCaptions)
{
    const auto expectRow = [&](std::span<const view::ButtonSpec> row, bool pageButtons) {
        for (const view::ButtonSpec& spec : row) {
            QPushButton* b = button(spec.id);
            ASSERT_NE(b, nullptr) << spec.id;
            EXPECT_EQ(b->geometry(), spec.rect) << spec.id;
            EXPECT_EQ(b->text(), QString::fromUtf8(spec.caption)) << spec.id;
            EXPECT_EQ(b->isEnabled(), spec.id != res::view::DisconnectButton) << "only a session enables " << spec.id;
            EXPECT_TRUE(b->isVisible()) << spec.id;
            EXPECT_EQ(qobject_cast<PageButton*>(b) != nullptr, pageButtons) << spec.id;
        }
    };
    expectRow(view::kCommandButtons, false);
    expectRow(view::kPageButtons, true);
}

// Each row of buttons lies between two frame lines and inside the outer ones, with a divider in
// every gap between neighbours.
TEST(ViewLayoutRules, ButtonRowsSitBetweenTheFrameLinesWithADividerInEachGap)
{
    const auto expectRow = [](std::span<const view::ButtonSpec> row, int above, int below, std::span<const int> dividers) {
        ASSERT_EQ(dividers.size() + 1, row.size());
        for (std::size_t i = 0; i < row.size(); ++i) {
            const QRect r = row[i].rect;
            EXPECT_TRUE(r.top() > above && r.bottom() < below) << row[i].id;
            EXPECT_TRUE(r.left() > view::kFrameLineXs.front() && r.right() < view::kFrameLineXs.back()) << row[i].id;
            if (i + 1 < row.size()) {
                EXPECT_GT(dividers[i] - 1, r.right()) << row[i].id;  // the divider is 2 pixels wide
                EXPECT_LT(dividers[i], row[i + 1].rect.left()) << row[i].id;
            }
        }
    };
    const auto [top, middle, bottom] = view::kFrameLineYs;
    expectRow(view::kCommandButtons, top, middle, view::kCommandDividerXs);
    expectRow(view::kPageButtons, middle, bottom, view::kPageDividerXs);
}

TEST_F(ViewLayout, EffectPageShownAndItsButtonSelected)
{
    const auto& pages = kPageTemplateIds;
    for (int i = 0; i < 4; ++i) {
        QWidget* p = page(pages[i]);
        ASSERT_NE(p, nullptr) << pages[i];
        EXPECT_EQ(p->pos(), view::kPageOrigin);
        EXPECT_EQ(p->isVisible(), i == 0) << pages[i];
        auto* pageButton = qobject_cast<PageButton*>(button(view::kPageButtons[i].id));
        EXPECT_EQ(pageButton->faceColor(), i == 0 ? view::kSelectedFace : view::kUnselectedFace);
        EXPECT_EQ(pageButton->captionColor(), i == 0 ? view::kSelectedText : view::kUnselectedText);
        EXPECT_EQ(pageButton->highlight(), i == 0);
    }
    EXPECT_EQ(view->shownPage(), 0);
}

TEST_F(ViewLayout, CreationRefreshesEveryPageThenAppliesTheMode)
{
    std::vector<std::string> expected;
    for (int id : kPageTemplateIds)
        expected.insert(expected.end(), {logged(id, "refresh"), logged(id, "redraw")});
    for (int id : kPageTemplateIds)
        expected.push_back(logged(id, "mode"));
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
    const QColor green = view::kFrameLine, yellow = view::kDividerLine, black = view::kBackground;
    const int right = view::kSize.width() - 1;
    const int commandRow = view::kCommandButtons[0].rect.center().y();
    const int pageRow = view::kPageButtons[0].rect.center().y();
    for (const int y : view::kFrameLineYs) {
        EXPECT_EQ(picture.pixelColor(2, y), green) << y;
        EXPECT_EQ(picture.pixelColor(right, y), green) << "across the whole width at " << y;
    }
    for (const int x : view::kFrameLineXs)
        EXPECT_EQ(picture.pixelColor(x, commandRow), green) << x;
    for (const int x : view::kCommandDividerXs) {
        EXPECT_EQ(picture.pixelColor(x, commandRow), yellow) << x;
        EXPECT_EQ(picture.pixelColor(x - 1, commandRow), yellow) << "2 pixels wide at " << x;
        EXPECT_EQ(picture.pixelColor(x, view::kFrameLineYs[1] + 2), black) << "only in the command row at " << x;
    }
    for (const int x : view::kPageDividerXs) {
        EXPECT_EQ(picture.pixelColor(x, pageRow), yellow) << x;
        EXPECT_EQ(picture.pixelColor(x, view::kFrameLineYs[1] - 3), black) << "only in the page row at " << x;
    }
    EXPECT_EQ(picture.pixelColor(view::kFrameLineXs.back() + 6, commandRow), black) << "right of the frame";
    EXPECT_EQ(picture.pixelColor(view::kSize.width() / 2, view::kSize.height() - 4), black) << "below the pages";
}

TEST_F(ViewLayout, PagesFitTheView)
{
    makeView(makeStandardPages);  // the pages at their templates' size
    EXPECT_EQ(view->size(), view::kSize);
    for (int id : kPageTemplateIds)
        EXPECT_LE(page(id)->geometry().bottom(), view->height() - 1);
}

}  // namespace
}  // namespace tonel::testing
