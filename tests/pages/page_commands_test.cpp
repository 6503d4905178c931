// Every control of the Microphone and Music pages, operated once, sends exactly its own command
// with the image's current bytes. The command literals are written out here, one per control.
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "res/MicrophoneControls.h"
#include "res/MusicControls.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace tonel::testing {
namespace {

namespace mic = res::mic;
namespace music = res::music;

enum class Page { Mic, Music };
enum class Op { Slider, SpinUp, SpinDown, TypeClick, TypedFrequency };

struct Row {
    Page page;
    Op op;
    int id;
    const char* format;               // the command as the device expects it
    std::vector<std::size_t> bytes;   // image offsets of its values, in order
};

std::vector<Row> levelRows()
{
    return {
        {Page::Mic, Op::Slider, mic::MainLevelSlider, "(01$005000%03d)", {59}},
        {Page::Mic, Op::Slider, mic::SendLeftRightSlider, "(01$005009%03d)", {68}},
        {Page::Mic, Op::Slider, mic::SendCentreSlider, "(01$005010%03d)", {69}},
        {Page::Mic, Op::Slider, mic::SendAux1Slider, "(01$005011%03d)", {70}},
        {Page::Mic, Op::Slider, mic::SendAux2Slider, "(01$005012%03d)", {71}},
        {Page::Mic, Op::Slider, mic::Mic1InputGainSlider, "(01$005003%03d)", {61}},
        {Page::Mic, Op::Slider, mic::Mic2InputGainSlider, "(01$005004%03d)", {62}},
        {Page::Music, Op::Slider, music::MainLevelSlider, "(01$006000%03d)", {101}},
        {Page::Music, Op::Slider, music::SendLeftRightSlider, "(01$006007%03d)", {109}},
        {Page::Music, Op::Slider, music::SendCentreSlider, "(01$006008%03d)", {112}},
        {Page::Music, Op::Slider, music::SendSubSlider, "(01$006009%03d)", {113}},
        {Page::Music, Op::Slider, music::SendAux1Slider, "(01$006010%03d)", {110}},
        {Page::Music, Op::Slider, music::SendAux2Slider, "(01$006011%03d)", {111}},
        {Page::Music, Op::Slider, music::InputGainSlider, "(01$006002%03d)", {103}},
        {Page::Music, Op::Slider, music::BgmGainSlider, "(01$006003%03d)", {105}},
    };
}

std::vector<Row> spinRows()
{
    struct Spin { Page page; int id; const char* format; std::size_t byte; };
    const Spin spins[] = {
        {Page::Mic, mic::MaxLevelSpin, "(01$005001%03d)", 60},
        {Page::Mic, mic::ExciterSpin, "(01$005005%03d)", 63},
        {Page::Mic, mic::NoiseGateSpin, "(01$005006%03d)", 64},
        {Page::Mic, mic::LimiterSpin, "(01$005008%03d)", 66},
        {Page::Mic, mic::AutoGainSpin, "(01$005007%03d)", 65},
        {Page::Mic, mic::MicLinkSpin, "(01$005002%03d)", 72},
        {Page::Mic, mic::FeedbackSuppressionSpin, "(01$003000%3d)", 67},
        {Page::Music, music::MaxLevelSpin, "(01$006001%03d)", 102},
        {Page::Music, music::NoiseGateSpin, "(01$006004%03d)", 106},
        {Page::Music, music::LimiterSpin, "(01$006006%03d)", 108},
        {Page::Music, music::AutoGainSpin, "(01$006005%03d)", 107},
        {Page::Music, music::InputSourceSpin, "(01$002000%03d)", 104},
    };
    std::vector<Row> rows;
    for (const Spin& s : spins)
        for (Op op : {Op::SpinUp, Op::SpinDown})
            rows.push_back({s.page, op, s.id, s.format, {s.byte}});
    return rows;
}

struct Band {
    Page page;
    const char* format;
    std::size_t at;
    int gainSlider, freqField, freqSpin, qSpin, typeButton;
};

std::vector<Row> bandRows()
{
    const Band bands[] = {
        {Page::Mic, "(01$008100%03d%03d%03d%03d)", 73, mic::Mic1BandGainSlider, mic::Mic1BandFreqField,
         mic::Mic1BandFreqSpin, mic::Mic1BandQSpin, mic::Mic1BandTypeButton},
        {Page::Mic, "(01$008101%03d%03d%03d%03d)", 77, mic::Mic2BandGainSlider, mic::Mic2BandFreqField,
         mic::Mic2BandFreqSpin, mic::Mic2BandQSpin, mic::Mic2BandTypeButton},
        {Page::Mic, "(01$008102%03d%03d%03d%03d)", 81, mic::SharedBand1GainSlider, mic::SharedBand1FreqField,
         mic::SharedBand1FreqSpin, mic::SharedBand1QSpin, mic::SharedBand1TypeButton},
        {Page::Mic, "(01$008103%03d%03d%03d%03d)", 85, mic::SharedBand2GainSlider, mic::SharedBand2FreqField,
         mic::SharedBand2FreqSpin, mic::SharedBand2QSpin, mic::SharedBand2TypeButton},
        {Page::Mic, "(01$008104%03d%03d%03d%03d)", 89, mic::SharedBand3GainSlider, mic::SharedBand3FreqField,
         mic::SharedBand3FreqSpin, mic::SharedBand3QSpin, mic::SharedBand3TypeButton},
        {Page::Mic, "(01$008105%03d%03d%03d%03d)", 93, mic::SharedBand4GainSlider, mic::SharedBand4FreqField,
         mic::SharedBand4FreqSpin, mic::SharedBand4QSpin, mic::SharedBand4TypeButton},
        {Page::Mic, "(01$008106%03d%03d%03d%03d)", 97, mic::SharedBand5GainSlider, mic::SharedBand5FreqField,
         mic::SharedBand5FreqSpin, mic::SharedBand5QSpin, mic::SharedBand5TypeButton},
        {Page::Music, "(01$008200%03d%03d%03d%03d)", 114, music::Eq1GainSlider, music::Eq1FreqField,
         music::Eq1FreqSpin, music::Eq1QSpin, music::Eq1TypeButton},
        {Page::Music, "(01$008201%03d%03d%03d%03d)", 118, music::Eq2GainSlider, music::Eq2FreqField,
         music::Eq2FreqSpin, music::Eq2QSpin, music::Eq2TypeButton},
        {Page::Music, "(01$008202%03d%03d%03d%03d)", 122, music::Eq3GainSlider, music::Eq3FreqField,
         music::Eq3FreqSpin, music::Eq3QSpin, music::Eq3TypeButton},
        {Page::Music, "(01$008203%03d%03d%03d%03d)", 126, music::Eq4GainSlider, music::Eq4FreqField,
         music::Eq4FreqSpin, music::Eq4QSpin, music::Eq4TypeButton},
        {Page::Music, "(01$008204%03d%03d%03d%03d)", 130, music::Eq5GainSlider, music::Eq5FreqField,
         music::Eq5FreqSpin, music::Eq5QSpin, music::Eq5TypeButton},
    };
    std::vector<Row> rows;
    for (const Band& b : bands) {
        const std::vector<std::size_t> bytes{b.at, b.at + 1, b.at + 2, b.at + 3};
        rows.push_back({b.page, Op::Slider, b.gainSlider, b.format, bytes});
        rows.push_back({b.page, Op::SpinUp, b.freqSpin, b.format, bytes});
        rows.push_back({b.page, Op::SpinDown, b.freqSpin, b.format, bytes});
        rows.push_back({b.page, Op::SpinUp, b.qSpin, b.format, bytes});
        rows.push_back({b.page, Op::SpinDown, b.qSpin, b.format, bytes});
        rows.push_back({b.page, Op::TypeClick, b.typeButton, b.format, bytes});
        rows.push_back({b.page, Op::TypedFrequency, b.freqField, b.format, bytes});
    }
    return rows;
}

std::vector<Row> allRows()
{
    std::vector<Row> rows = levelRows();
    for (auto more : {spinRows(), bandRows()})
        rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

// Every band and level of both sections different, so a control that sends a neighbour's bytes
// is caught.
void makeBytesDistinct(ParameterImage& image)
{
    for (std::size_t o : {59, 61, 62, 68, 69, 70, 71, 101, 103, 105, 109, 110, 111, 112, 113})
        image.set(o, static_cast<std::uint8_t>(5 + o % 40));
    for (std::size_t o = 73; o <= 130; o += 4) {
        if (o > 97 && o < 114)
            continue;
        image.setBand(o, {1, static_cast<std::uint8_t>(5 + o % 100), static_cast<std::uint8_t>(4 + o % 40),
                          static_cast<std::uint8_t>(3 + o % 60)});
    }
}

std::string expectedCommand(const Row& row, const ParameterImage& image)
{
    int v[4] = {};
    for (std::size_t i = 0; i < row.bytes.size(); ++i)
        v[i] = image.get(row.bytes[i]);
    char text[64];
    std::snprintf(text, sizeof text, row.format, v[0], v[1], v[2], v[3]);
    return text;
}

void operate(const PageDriver& ui, const Row& row)
{
    switch (row.op) {
    case Op::Slider: {
        const int p = ui.position(row.id);
        ui.moveSlider(row.id, p > 0 ? p - 1 : p + 1);
        break;
    }
    case Op::SpinUp: ui.spinUp(row.id); break;
    case Op::SpinDown: ui.spinDown(row.id); break;
    case Op::TypeClick: ui.click(row.id); break;
    case Op::TypedFrequency: ui.typeFrequency(row.id, "2.5k"); break;
    }
}

class PageCommandTest : public ::testing::TestWithParam<Row> {
protected:
    ParameterImage image;
    RecordingChannel channel;
};

TEST_P(PageCommandTest, SendsExactlyItsOwnCommand)
{
    const Row& row = GetParam();
    makeBytesDistinct(image);
    std::unique_ptr<BoundPage> page;
    if (row.page == Page::Mic)
        page = std::make_unique<MicrophonePage>(PageContext{image, channel}, nullptr);
    else
        page = std::make_unique<MusicPage>(PageContext{image, channel}, nullptr);
    page->refreshFromImage();
    const ParameterImage before = image;
    operate(PageDriver(*page), row);
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0], expectedCommand(row, image));
    if (row.op == Op::Slider || row.op == Op::TypeClick || row.op == Op::TypedFrequency) {
        EXPECT_NE(image, before) << "the control changed nothing";
    }
}

std::string rowName(const ::testing::TestParamInfo<Row>& info)
{
    static const char* const ops[] = {"Slider", "SpinUp", "SpinDown", "TypeClick", "TypedFrequency"};
    return std::string(info.param.page == Page::Mic ? "Mic_" : "Music_") + std::to_string(info.param.id) + "_" +
           ops[static_cast<int>(info.param.op)];
}

INSTANTIATE_TEST_SUITE_P(MicAndMusic, PageCommandTest, ::testing::ValuesIn(allRows()), rowName);

}  // namespace
}  // namespace tonel::testing
