// Every control of the System page, operated once from the defaults, sends exactly one command:
// the one its field carries, with the image's bytes after the change.
#include "pages/SystemPage.h"
#include "tests/pages/PageDriver.h"
#include "tests/support/RecordingChannel.h"

#include <QPushButton>
#include <QSlider>
#include <functional>
#include <set>
#include <gtest/gtest.h>

namespace tonel::testing {
namespace {


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
    {"centre", slide(1179, 10), "(01$007000040)"},
    {"subwoofer", slide(1005, 1), "(01$007009049)"},
    {"aux 1", slide(1181, 50), "(01$007022000)"},
    {"aux 2", slide(1011, 25), "(01$007024025)"},
    // Settings, both arrows.
    {"program", up(1078), "(01$001000001)"},
    {"program", down(1078), "(01$001000000)"},
    {"lock", up(1080), "(01CD)"},
    {"lock", down(1080), "(01CE)"},
    {"contrast", up(1082), "(01T2)"},
    {"contrast", down(1082), "(01T0)"},
    {"aux 1 delay ms", up(1084), "(01$007023001)"},
    {"aux 1 delay ms", down(1084), "(01$007023000)"},
    {"aux 1 delay m", up(1086), "(01$007023001)"},
    {"aux 1 delay m", down(1086), "(01$007023000)"},
    {"aux 2 delay ms", up(1088), "(01$007025001)"},
    {"aux 2 delay ms", down(1088), "(01$007025000)"},
    {"aux 2 delay m", up(1090), "(01$007025001)"},
    {"aux 2 delay m", down(1090), "(01$007025000)"},
    {"phase", up(1194), "(01$007012001)"},
    {"phase", down(1194), "(01$007012000)"},
    {"high-pass", up(1195), "(01$007010001)"},
    {"high-pass", down(1195), "(01$007010000)"},
    {"low-pass", up(1196), "(01$007011026)"},
    {"low-pass", down(1196), "(01$007011025)"},
    {"attenuation", up(1197), "(01$007013000)"},
    {"attenuation", down(1197), "(01$007013001)"},
    // Bands: gain to the top, frequency up, Q down, type, a typed 100 Hz.
    {"8300", gainTop(1013), "(01$008300001069048046)"},
    {"8300", up(1064), "(01$008300001070024046)"},
    {"8300", down(1065), "(01$008300001069024045)"},
    {"8300", click(1017), "(01$008300003069024046)"},
    {"8300", typed(1027, "100"), "(01$008300001029024046)"},
    {"8301", gainTop(1014), "(01$008301001069048046)"},
    {"8301", up(1066), "(01$008301001070024046)"},
    {"8301", down(1077), "(01$008301001069024045)"},
    {"8301", click(1021), "(01$008301003069024046)"},
    {"8301", typed(1029, "100"), "(01$008301001029024046)"},
    {"8302", gainTop(1015), "(01$008302001069048046)"},
    {"8302", up(1189), "(01$008302001070024046)"},
    {"8302", down(1068), "(01$008302001069024045)"},
    {"8302", click(1022), "(01$008302003069024046)"},
    {"8302", typed(1032, "100"), "(01$008302001029024046)"},
    {"8303", gainTop(1016), "(01$008303001069048046)"},
    {"8303", up(1069), "(01$008303001070024046)"},
    {"8303", down(1070), "(01$008303001069024045)"},
    {"8303", click(1023), "(01$008303003069024046)"},
    {"8303", typed(1188, "100"), "(01$008303001029024046)"},
    {"8304", gainTop(1018), "(01$008304001069048046)"},
    {"8304", up(1071), "(01$008304001070024046)"},
    {"8304", down(1072), "(01$008304001069024045)"},
    {"8304", click(1024), "(01$008304003069024046)"},
    {"8304", typed(1038, "100"), "(01$008304001029024046)"},
    {"8305", gainTop(1019), "(01$008305001069048046)"},
    {"8305", up(1073), "(01$008305001070024046)"},
    {"8305", down(1074), "(01$008305001069024045)"},
    {"8305", click(1025), "(01$008305003069024046)"},
    {"8305", typed(1041, "100"), "(01$008305001029024046)"},
    {"8306", gainTop(1121), "(01$008306001069048046)"},
    {"8306", up(1118), "(01$008306001070024046)"},
    {"8306", down(1120), "(01$008306001069024045)"},
    {"8306", click(1122), "(01$008306003069024046)"},
    {"8306", typed(1117, "100"), "(01$008306001029024046)"},
    {"8400", gainTop(1128), "(01$008400001069048046)"},
    {"8400", up(1125), "(01$008400001070024046)"},
    {"8400", down(1127), "(01$008400001069024045)"},
    {"8400", click(1129), "(01$008400003069024046)"},
    {"8400", typed(1124, "100"), "(01$008400001029024046)"},
    {"8401", gainTop(1104), "(01$008401001069048046)"},
    {"8401", up(1094), "(01$008401001070024046)"},
    {"8401", down(1096), "(01$008401001069024045)"},
    {"8401", click(1105), "(01$008401003069024046)"},
    {"8401", typed(1093, "100"), "(01$008401001029024046)"},
    {"8500", gainTop(1107), "(01$008500001021048046)"},
    {"8500", up(1098), "(01$008500001022024046)"},
    {"8500", down(1100), "(01$008500001021024045)"},
    {"8500", click(1108), "(01$008500003021024046)"},
    {"8500", typed(1097, "100"), "(01$008500001029024046)"},
    {"8501", gainTop(1114), "(01$008501001021048046)"},
    {"8501", up(1111), "(01$008501001022024046)"},
    {"8501", down(1113), "(01$008501001021024045)"},
    {"8501", click(1115), "(01$008501003021024046)"},
    {"8501", typed(1110, "100"), "(01$008501001029024046)"},
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
