// Every control of the System page, operated once from the defaults, sends exactly one command:
// the one its field carries, with the image's bytes after the change.
#include "pages/SystemPage.h"
#include "res/SystemControls.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <QPushButton>
#include <QSlider>
#include <functional>
#include <set>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {

namespace id = res::system;

struct Action {
    int id;
    std::function<void(const PageDriver&)> run;
};
Action up(int spin) { return {spin, [spin](const PageDriver& ui) { ui.spinUp(spin); }}; }
Action down(int spin) { return {spin, [spin](const PageDriver& ui) { ui.spinDown(spin); }}; }
Action click(int button) { return {button, [button](const PageDriver& ui) { ui.click(button); }}; }
Action slide(int slider, int position)
{
    return {slider, [=](const PageDriver& ui) { ui.moveSlider(slider, position); }};
}
Action gainTop(int slider) { return slide(slider, 0); }
Action typed(int field, const char* text)
{
    return {field, [=](const PageDriver& ui) { ui.typeFrequency(field, QString::fromUtf8(text)); }};
}

struct Case {
    const char* what;
    Action action;
    const char* command;
};

const Case kCases[] = {
    // Output levels.
    {"centre", slide(id::CentreLevelSlider, 10), "(01$007000040)"},
    {"subwoofer", slide(id::SubwooferLevelSlider, 1), "(01$007009049)"},
    {"aux 1", slide(id::Aux1LevelSlider, 50), "(01$007022000)"},
    {"aux 2", slide(id::Aux2LevelSlider, 25), "(01$007024025)"},
    // Settings, both arrows.
    {"program", up(id::EffectProgramSpin), "(01$001000001)"},
    {"program", down(id::EffectProgramSpin), "(01$001000000)"},
    {"lock", up(id::PanelLockSpin), "(01CD)"},
    {"lock", down(id::PanelLockSpin), "(01CE)"},
    {"contrast", up(id::DisplayContrastSpin), "(01T2)"},
    {"contrast", down(id::DisplayContrastSpin), "(01T0)"},
    {"aux 1 delay ms", up(id::Aux1DelaySpin), "(01$007023001)"},
    {"aux 1 delay ms", down(id::Aux1DelaySpin), "(01$007023000)"},
    {"aux 1 delay m", up(id::Aux1DistanceSpin), "(01$007023001)"},
    {"aux 1 delay m", down(id::Aux1DistanceSpin), "(01$007023000)"},
    {"aux 2 delay ms", up(id::Aux2DelaySpin), "(01$007025001)"},
    {"aux 2 delay ms", down(id::Aux2DelaySpin), "(01$007025000)"},
    {"aux 2 delay m", up(id::Aux2DistanceSpin), "(01$007025001)"},
    {"aux 2 delay m", down(id::Aux2DistanceSpin), "(01$007025000)"},
    {"phase", up(id::SubwooferPhaseSpin), "(01$007012001)"},
    {"phase", down(id::SubwooferPhaseSpin), "(01$007012000)"},
    {"high-pass", up(id::SubwooferHighPassSpin), "(01$007010001)"},
    {"high-pass", down(id::SubwooferHighPassSpin), "(01$007010000)"},
    {"low-pass", up(id::SubwooferLowPassSpin), "(01$007011026)"},
    {"low-pass", down(id::SubwooferLowPassSpin), "(01$007011025)"},
    {"attenuation", up(id::SubwooferAutoAttenuationSpin), "(01$007013000)"},
    {"attenuation", down(id::SubwooferAutoAttenuationSpin), "(01$007013001)"},
    // Bands: gain to the top, frequency up, Q down, type, a typed 100 Hz.
    {"8300", gainTop(id::RoomEq1GainSlider), "(01$008300001069048046)"},
    {"8300", up(id::RoomEq1FreqSpin), "(01$008300001070024046)"},
    {"8300", down(id::RoomEq1QSpin), "(01$008300001069024045)"},
    {"8300", click(id::RoomEq1TypeButton), "(01$008300003069024046)"},
    {"8300", typed(id::RoomEq1FreqField, "100"), "(01$008300001029024046)"},
    {"8301", gainTop(id::RoomEq2GainSlider), "(01$008301001069048046)"},
    {"8301", up(id::RoomEq2FreqSpin), "(01$008301001070024046)"},
    {"8301", down(id::RoomEq2QSpin), "(01$008301001069024045)"},
    {"8301", click(id::RoomEq2TypeButton), "(01$008301003069024046)"},
    {"8301", typed(id::RoomEq2FreqField, "100"), "(01$008301001029024046)"},
    {"8302", gainTop(id::RoomEq3GainSlider), "(01$008302001069048046)"},
    {"8302", up(id::RoomEq3FreqSpin), "(01$008302001070024046)"},
    {"8302", down(id::RoomEq3QSpin), "(01$008302001069024045)"},
    {"8302", click(id::RoomEq3TypeButton), "(01$008302003069024046)"},
    {"8302", typed(id::RoomEq3FreqField, "100"), "(01$008302001029024046)"},
    {"8303", gainTop(id::RoomEq4GainSlider), "(01$008303001069048046)"},
    {"8303", up(id::RoomEq4FreqSpin), "(01$008303001070024046)"},
    {"8303", down(id::RoomEq4QSpin), "(01$008303001069024045)"},
    {"8303", click(id::RoomEq4TypeButton), "(01$008303003069024046)"},
    {"8303", typed(id::RoomEq4FreqField, "100"), "(01$008303001029024046)"},
    {"8304", gainTop(id::RoomEq5GainSlider), "(01$008304001069048046)"},
    {"8304", up(id::RoomEq5FreqSpin), "(01$008304001070024046)"},
    {"8304", down(id::RoomEq5QSpin), "(01$008304001069024045)"},
    {"8304", click(id::RoomEq5TypeButton), "(01$008304003069024046)"},
    {"8304", typed(id::RoomEq5FreqField, "100"), "(01$008304001029024046)"},
    {"8305", gainTop(id::RoomEq6GainSlider), "(01$008305001069048046)"},
    {"8305", up(id::RoomEq6FreqSpin), "(01$008305001070024046)"},
    {"8305", down(id::RoomEq6QSpin), "(01$008305001069024045)"},
    {"8305", click(id::RoomEq6TypeButton), "(01$008305003069024046)"},
    {"8305", typed(id::RoomEq6FreqField, "100"), "(01$008305001029024046)"},
    {"8306", gainTop(id::RoomEq7GainSlider), "(01$008306001069048046)"},
    {"8306", up(id::RoomEq7FreqSpin), "(01$008306001070024046)"},
    {"8306", down(id::RoomEq7QSpin), "(01$008306001069024045)"},
    {"8306", click(id::RoomEq7TypeButton), "(01$008306003069024046)"},
    {"8306", typed(id::RoomEq7FreqField, "100"), "(01$008306001029024046)"},
    {"8400", gainTop(id::CentreEq1GainSlider), "(01$008400001069048046)"},
    {"8400", up(id::CentreEq1FreqSpin), "(01$008400001070024046)"},
    {"8400", down(id::CentreEq1QSpin), "(01$008400001069024045)"},
    {"8400", click(id::CentreEq1TypeButton), "(01$008400003069024046)"},
    {"8400", typed(id::CentreEq1FreqField, "100"), "(01$008400001029024046)"},
    {"8401", gainTop(id::CentreEq2GainSlider), "(01$008401001069048046)"},
    {"8401", up(id::CentreEq2FreqSpin), "(01$008401001070024046)"},
    {"8401", down(id::CentreEq2QSpin), "(01$008401001069024045)"},
    {"8401", click(id::CentreEq2TypeButton), "(01$008401003069024046)"},
    {"8401", typed(id::CentreEq2FreqField, "100"), "(01$008401001029024046)"},
    {"8500", gainTop(id::SubwooferEq1GainSlider), "(01$008500001021048046)"},
    {"8500", up(id::SubwooferEq1FreqSpin), "(01$008500001022024046)"},
    {"8500", down(id::SubwooferEq1QSpin), "(01$008500001021024045)"},
    {"8500", click(id::SubwooferEq1TypeButton), "(01$008500003021024046)"},
    {"8500", typed(id::SubwooferEq1FreqField, "100"), "(01$008500001029024046)"},
    {"8501", gainTop(id::SubwooferEq2GainSlider), "(01$008501001021048046)"},
    {"8501", up(id::SubwooferEq2FreqSpin), "(01$008501001022024046)"},
    {"8501", down(id::SubwooferEq2QSpin), "(01$008501001021024045)"},
    {"8501", click(id::SubwooferEq2TypeButton), "(01$008501003021024046)"},
    {"8501", typed(id::SubwooferEq2FreqField, "100"), "(01$008501001029024046)"},
};

TEST(SystemCommands, EveryControlSendsItsCommandOnce)
{
    for (const Case& c : kCases) {
        ParameterImage image;
        RecordingChannel channel;
        SystemPage page{PageContext{image, channel}, nullptr};
        page.refreshFromImage();
        PageDriver ui{page};
        c.action.run(ui);
        EXPECT_EQ(channel.sent, std::vector<std::string>{c.command}) << c.what << " " << c.action.id;
    }
}

// The table above leaves no slider, spin, type button or frequency field of the page out.
TEST(SystemCommands, TheTableCoversEveryOperableControl)
{
    ParameterImage image;
    RecordingChannel channel;
    SystemPage page{PageContext{image, channel}, nullptr};
    std::set<int> onPage;
    auto collect = [&](const auto& widgets) {
        for (const QWidget* w : widgets)
            onPage.insert(w->objectName().toInt());
    };
    collect(page.findChildren<QSlider*>(Qt::FindDirectChildrenOnly));
    collect(page.findChildren<SpinArrows*>(Qt::FindDirectChildrenOnly));
    collect(page.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly));
    collect(page.findChildren<FrequencyEdit*>(Qt::FindDirectChildrenOnly));
    std::set<int> inTable;
    for (const Case& c : kCases)
        inTable.insert(c.action.id);
    EXPECT_EQ(onPage.size(), 15u + 33u + 11u + 11u);  // sliders, spins, type buttons, frequency fields
    EXPECT_EQ(inTable, onPage);
}

}  // namespace
}  // namespace tonel::testing
