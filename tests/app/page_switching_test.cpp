#include "ViewFixture.h"

#include "controls/PageButton.h"
#include "model/Fields.h"

namespace tonel::testing {
namespace {

using PageSwitching = ViewFixture;

TEST_F(PageSwitching, ChosenPageIsRefreshedThenShown)
{
    pageLog.clear();
    click(1209);
    EXPECT_EQ(pageLog, (std::vector<std::string>{"134 refresh", "134 redraw", "134 mode"}));
    EXPECT_TRUE(page("134")->isVisible());
    for (const char* other : {"130", "131", "135"})
        EXPECT_FALSE(page(other)->isVisible()) << other;
    EXPECT_EQ(view->shownPage(), 2);
}

TEST_F(PageSwitching, ThePageAlreadyShownIsNotRefreshed)
{
    click(1208);
    pageLog.clear();
    click(1208);
    EXPECT_TRUE(pageLog.empty());
    EXPECT_TRUE(page("131")->isVisible());
    pageLog.clear();
    click(1207);
    EXPECT_EQ(pageLog.size(), 3u);
}

TEST_F(PageSwitching, OnlyTheChosenButtonCarriesTheSelectedColours)
{
    for (int chosen = 1207; chosen <= 1210; ++chosen) {
        click(chosen);
        for (int id = 1207; id <= 1210; ++id) {
            auto* nav = qobject_cast<PageButton*>(button(id));
            const bool selected = id == chosen;
            EXPECT_EQ(nav->faceColor(), selected ? QColor(192, 192, 0) : QColor(100, 100, 100)) << chosen << id;
            EXPECT_EQ(nav->captionColor(), selected ? QColor(0, 0, 255) : QColor(255, 255, 255)) << chosen << id;
            EXPECT_EQ(nav->highlight(), selected);
        }
    }
}

using ModeCaption = ViewFixture;

TEST_F(ModeCaption, FollowsTheControlModeAndLeavesOtherValuesAlone)
{
    struct Step {
        std::uint8_t mode;
        const char* caption;
    };
    const Step steps[] = {{1, "全功能模式"}, {0, "简易模式"}, {1, "全功能模式"}, {2, "全功能模式"}, {0, "简易模式"}, {2, "简易模式"}};
    for (const Step& step : steps) {
        image.set(fields::global::controlMode, step.mode);
        view->refreshAllPages();
        EXPECT_EQ(button(1205)->text(), QString::fromUtf8(step.caption)) << int(step.mode);
    }
}

TEST_F(ModeCaption, ModeButtonTogglesTheModeAndRefreshesEveryPage)
{
    pageLog.clear();
    click(1205);
    EXPECT_EQ(image.get(fields::global::controlMode), 1);
    EXPECT_EQ(button(1205)->text(), QStringLiteral("全功能模式"));
    EXPECT_EQ(pageLog.size(), 12u);
    click(1205);
    EXPECT_EQ(image.get(fields::global::controlMode), 0);
    EXPECT_EQ(button(1205)->text(), QStringLiteral("简易模式"));
    EXPECT_TRUE(port.writes().empty()) << "nothing is sent without a session";
}

}  // namespace
}  // namespace tonel::testing
