#include "ViewFixture.h"

#include "app/ViewLayout.h"
#include "controls/PageButton.h"
#include "model/Fields.h"

namespace tonel::testing {
namespace {

using PageSwitching = ViewFixture;

TEST_F(PageSwitching, ChosenPageIsRefreshedThenShown)
{
    pageLog.clear();
    click(res::view::MusicPageButton);
    const int music = res::MusicTemplateId;
    const std::vector<std::string> expected{logged(music, "refresh"), logged(music, "redraw"), logged(music, "mode")};
    EXPECT_EQ(pageLog, expected);
    EXPECT_TRUE(page(music)->isVisible());
    for (int other : {res::EffectTemplateId, res::MicrophoneTemplateId, res::SystemTemplateId})
        EXPECT_FALSE(page(other)->isVisible()) << other;
    EXPECT_EQ(view->shownPage(), 2);
}

TEST_F(PageSwitching, ThePageAlreadyShownIsNotRefreshed)
{
    click(res::view::MicrophonePageButton);
    pageLog.clear();
    click(res::view::MicrophonePageButton);
    EXPECT_TRUE(pageLog.empty());
    EXPECT_TRUE(page(res::MicrophoneTemplateId)->isVisible());
    pageLog.clear();
    click(res::view::EffectPageButton);
    EXPECT_EQ(pageLog.size(), 3u);
}

TEST_F(PageSwitching, OnlyTheChosenButtonCarriesTheSelectedColours)
{
    for (const view::ButtonSpec& chosen : view::kPageButtons) {
        click(chosen.id);
        for (const view::ButtonSpec& spec : view::kPageButtons) {
            auto* pageButton = qobject_cast<PageButton*>(button(spec.id));
            const bool selected = spec.id == chosen.id;
            EXPECT_EQ(pageButton->faceColor(), selected ? view::kSelectedFace : view::kUnselectedFace) << chosen.id << spec.id;
            EXPECT_EQ(pageButton->captionColor(), selected ? view::kSelectedText : view::kUnselectedText)
                << chosen.id << spec.id;
            EXPECT_EQ(pageButton->highlight(), selected);
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
        EXPECT_EQ(button(res::view::ModeButton)->text(), QString::fromUtf8(step.caption)) << int(step.mode);
    }
}

TEST_F(ModeCaption, ModeButtonTogglesTheModeAndRefreshesEveryPage)
{
    pageLog.clear();
    click(res::view::ModeButton);
    EXPECT_EQ(image.get(fields::global::controlMode), 1);
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("全功能模式"));
    EXPECT_EQ(pageLog.size(), 12u);
    click(res::view::ModeButton);
    EXPECT_EQ(image.get(fields::global::controlMode), 0);
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("简易模式"));
    EXPECT_TRUE(port.writes().empty()) << "nothing is sent without a session";
}

}  // namespace
}  // namespace tonel::testing
