// The rules several pages share, each tested once over every page that has it: the maximum-level
// bound, when the graph redraws, and where a band's Q spin stops.
#include "model/Fields.h"
#include "model/ParameterCommands.h"
#include "pages/EffectPage.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "pages/SystemPage.h"
#include "res/EffectControls.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
#include "res/SystemControls.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>

namespace tonel::testing {
namespace {

namespace f = fields;
using Sent = std::vector<std::string>;
using MakePage = std::function<std::unique_ptr<BoundPage>(PageContext)>;

template <class PageType>
MakePage make()
{
    return [](PageContext context) { return std::make_unique<PageType>(context, nullptr); };
}

// A page built on a default image and a recording channel, refreshed, with a driver.
template <class Case>
class OnEveryPage : public ::testing::TestWithParam<Case> {
protected:
    ParameterImage image;
    RecordingChannel channel;
    std::unique_ptr<BoundPage> page = this->GetParam().make(PageContext{image, channel});
    PageDriver ui{*page};

    void SetUp() override { page->refreshFromImage(); }
    void load(std::size_t offset, int value)
    {
        image.set(offset, static_cast<std::uint8_t>(value));
        page->refreshFromImage();
    }
};

template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// ---- The main level never rises above the maximum level

struct BoundCase {
    const char* name;
    MakePage make;
    std::size_t main, max;
    int mainSlider, mainField, maxSpin;
    const char* mainCommand;  // the main level's command before its value
    const char* maxCommand;
};

void PrintTo(const BoundCase& c, std::ostream* os) { *os << c.name; }
using MaxLevelBound = OnEveryPage<BoundCase>;

TEST_P(MaxLevelBound, MainLevelNeverRisesAboveTheMaximum)
{
    const BoundCase& c = GetParam();
    load(c.main, 30);
    load(c.max, 30);
    for (int position : {19, 10}) {  // 31 and 40
        ui.moveSlider(c.mainSlider, position);
        EXPECT_EQ(image.get(c.main), 30);
        EXPECT_EQ(ui.position(c.mainSlider), 20);
        EXPECT_EQ(ui.text(c.mainField), "30");
    }
    EXPECT_TRUE(channel.sent.empty());
    ui.spinDown(c.maxSpin);  // pulls the main level down without sending it
    EXPECT_EQ(image.get(c.main), 29);
    EXPECT_EQ(ui.text(c.mainField), "29");
    EXPECT_EQ(ui.position(c.mainSlider), 21);
    ui.moveSlider(c.mainSlider, 22);  // lowering is allowed
    EXPECT_EQ(channel.sent, (Sent{c.maxCommand + std::string("029)"), c.mainCommand + std::string("028)")}));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MaxLevelBound,
    ::testing::Values(BoundCase{"Microphone", make<MicrophonePage>(), f::mic::mainLevel, f::mic::maxLevel,
                                res::mic::MainLevelSlider, res::mic::MainLevelField, res::mic::MaxLevelSpin,
                                "(01$005000", "(01$005001"},
                      BoundCase{"Music", make<MusicPage>(), f::music::mainLevel, f::music::maxLevel,
                                res::music::MainLevelSlider, res::music::MainLevelField, res::music::MaxLevelSpin,
                                "(01$006000", "(01$006001"}),
    caseName<BoundCase>);

// ---- The graph redraws on band changes, and on mouse moves only where the page says so

enum class Op { Slide, Up, Click, Type, Load };
struct Step {
    Op op;
    std::size_t id;  // a control, or for Load an image offset
    int arg = 0;     // slider position or loaded byte
    const char* text = nullptr;
    int redraws = 0;
};

struct RedrawCase {
    const char* name;
    MakePage make;
    std::vector<Step> steps;
    bool redrawsOnMouseMoves;
};

void PrintTo(const RedrawCase& c, std::ostream* os) { *os << c.name; }
using GraphRedraws = OnEveryPage<RedrawCase>;

TEST_P(GraphRedraws, OnBandChangesAndMouseMovesWhereThePageRedrawsOnThem)
{
    int expected = ui.redraws();
    for (const Step& s : GetParam().steps) {
        const int id = static_cast<int>(s.id);
        switch (s.op) {
        case Op::Slide: ui.moveSlider(id, s.arg); break;
        case Op::Up: ui.spinUp(id); break;
        case Op::Click: ui.click(id); break;
        case Op::Type: ui.typeFrequency(id, s.text); break;
        case Op::Load: load(s.id, s.arg); break;
        }
        expected += s.redraws;
        EXPECT_EQ(ui.redraws(), expected) << "control " << s.id;
    }
    page->setMouseTracking(true);
    const QStringList met = ui.moveMouseAcrossThePage();
    EXPECT_EQ(ui.redraws(), expected + (GetParam().redrawsOnMouseMoves ? met.size() : 0));
    for (const char* kind : {"QGroupBox", "QLabel", "QSlider", page->metaObject()->className()})
        EXPECT_TRUE(met.contains(QLatin1String(kind))) << kind;
}

namespace mic = res::mic;
namespace music = res::music;
namespace fx = res::effect;
namespace sys = res::system;

INSTANTIATE_TEST_SUITE_P(
    Pages, GraphRedraws,
    ::testing::Values(
        RedrawCase{"Microphone", make<MicrophonePage>(),
                   {{Op::Slide, mic::MainLevelSlider, 20},
                    {Op::Slide, mic::Mic1InputGainSlider, 3, nullptr, 1},  // the linked gain refreshes the mics
                    {Op::Up, mic::ExciterSpin},
                    {Op::Load, f::mic::link, 0},
                    {Op::Slide, mic::Mic2InputGainSlider, 3},
                    {Op::Up, mic::FeedbackSuppressionSpin},
                    {Op::Up, mic::SharedBand5FreqSpin, 0, nullptr, 1},
                    {Op::Click, mic::Mic1BandTypeButton, 0, nullptr, 1}},
                   true},
        RedrawCase{"Music", make<MusicPage>(),
                   {{Op::Slide, music::MainLevelSlider, 25},
                    {Op::Slide, music::BgmGainSlider, 3},
                    {Op::Up, music::InputSourceSpin},
                    {Op::Slide, music::Eq5GainSlider, 0, nullptr, 1},
                    {Op::Type, music::Eq2FreqField, 0, "100", 1}},
                   false},
        RedrawCase{"Effect", make<EffectPage>(),
                   {{Op::Slide, fx::MainLevelSlider, 3},
                    {Op::Up, fx::ExtensionSpin},
                    {Op::Up, fx::Eq1FreqSpin, 0, nullptr, 1},
                    {Op::Slide, fx::Eq2GainSlider, 0, nullptr, 1}},
                   true},
        RedrawCase{"System", make<SystemPage>(),
                   {{Op::Slide, sys::CentreLevelSlider, 10},
                    {Op::Up, sys::DisplayContrastSpin},
                    {Op::Up, sys::SubwooferLowPassSpin, 0, nullptr, 1},
                    {Op::Click, sys::RoomEq1TypeButton, 0, nullptr, 1}},
                   false}),
    caseName<RedrawCase>);

// ---- A band's Q spin stops at the band's lowest index and at 72, re-sending at a stop

struct QColumn {
    res::BandColumn ids;
    std::size_t band;  // the band's type byte
    int qMin;
};

struct QCase {
    const char* name;
    MakePage make;
    std::vector<QColumn> columns;
    int sampleSpin;           // a spin whose frame at its stop is spelled out
    const char* sampleFrame;
};

void PrintTo(const QCase& c, std::ostream* os) { *os << c.name; }
using QSpins = OnEveryPage<QCase>;

TEST_P(QSpins, StopAtTheBandsLowestIndexAndAtSeventyTwo)
{
    const char* texts[] = {"0.31", "0.32"};
    for (const QColumn& c : GetParam().columns) {
        const std::size_t q = c.band + 3;
        load(q, c.qMin + 1);
        ui.spinDown(c.ids.qSpin);
        EXPECT_EQ(image.get(q), c.qMin) << c.ids.qSpin;
        EXPECT_EQ(ui.text(c.ids.qField), texts[c.qMin]) << c.ids.qSpin;
        EXPECT_EQ(channel.last(), commandForOffset(image, q)) << c.ids.qSpin;
        const std::size_t sent = channel.sent.size();
        ui.spinDown(c.ids.qSpin);
        EXPECT_EQ(image.get(q), c.qMin) << c.ids.qSpin;
        EXPECT_EQ(channel.sent.size(), sent + 1) << c.ids.qSpin;  // re-sent unchanged
        EXPECT_EQ(channel.last(), channel.sent[sent - 1]) << c.ids.qSpin;
        if (c.ids.qSpin == GetParam().sampleSpin) {
            EXPECT_EQ(channel.last(), GetParam().sampleFrame);
        }
        for (int start : {71, 72}) {
            image.set(q, static_cast<std::uint8_t>(start));
            ui.spinUp(c.ids.qSpin);
            EXPECT_EQ(image.get(q), 72) << c.ids.qSpin;
            EXPECT_EQ(ui.text(c.ids.qField), "19.40") << c.ids.qSpin;
        }
    }
}

std::vector<QColumn> columns(std::span<const res::BandColumn> ids, std::size_t (*band)(int), int qMin)
{
    std::vector<QColumn> list;
    for (std::size_t k = 0; k < ids.size(); ++k)
        list.push_back({ids[k], band(static_cast<int>(k)), qMin});
    return list;
}

template <class... Lists>
std::vector<QColumn> joined(const Lists&... lists)
{
    std::vector<QColumn> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, QSpins,
    ::testing::Values(
        QCase{"Microphone", make<MicrophonePage>(),
              joined(columns(mic::kMicBandColumns, f::mic::micEq, 1), columns(mic::kSharedBandColumns, f::mic::eq, 0)),
              mic::Mic1BandQSpin, "(01$008100001069024001)"},
        QCase{"Music", make<MusicPage>(), columns(music::kEqColumns, f::music::eq, 0), music::Eq5QSpin,
              "(01$008204003089024000)"},
        QCase{"Effect", make<EffectPage>(),  // the first program is selected
              columns(fx::kEqColumns, [](int k) { return f::effect::at(0, f::effect::eq(k)); }, 1), fx::Eq1QSpin,
              "(01$008000004032024001)"},
        QCase{"System", make<SystemPage>(),
              joined(columns(sys::kRoomEqColumns, f::system::roomEq, 0),
                     columns(sys::kCentreEqColumns, f::system::centreEq, 0),
                     columns(sys::kSubwooferEqColumns, f::system::subEq, 0)),
              sys::SubwooferEq2QSpin, "(01$008501001021024000)"}),
    caseName<QCase>);

}  // namespace
}  // namespace tonel::testing
