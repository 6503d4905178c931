// The System page's graph as the operator meets it: a shown page whose graph repaints with the
// image unchanged (what a mouse move or an expose costs), after one band changed, and during a
// 100-step drag of a gain slider through the page's own handlers.

#include "QtBench.h"
#include "eq/EqGraphView.h"
#include "pages/SystemPage.h"
#include "res/SystemControls.h"

#include <QSlider>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

using namespace tonel;
namespace sys = fields::system;

// A shown System page over the default image (range 0) or the busy one (range 1).
struct ShownPage {
    ParameterImage image;
    bench::OfflineChannel channel;
    QWidget window;
    std::unique_ptr<SystemPage> page;
    explicit ShownPage(bool busy)
    {
        if (busy) {
            bench::setBusySystemBands(image);
            image.set(sys::subHighPass, 10);  // both crossover filters on
        }
        page = std::make_unique<SystemPage>(PageContext{image, channel}, &window);
        page->refreshFromImage();
        window.resize(page->size());
        window.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&window); }
    EqGraphView& graph() { return *page->controls().graph(); }
};

void SystemRedrawUnchanged(benchmark::State& state)
{
    ShownPage p(state.range(0) != 0);
    if (!p.exposed())
        return state.SkipWithError("the window was never exposed");
    for (auto _ : state)
        p.graph().redraw();
}
BENCHMARK(SystemRedrawUnchanged)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One band's gain alternates between two values: each redraw follows a change of that band.
void SystemRedrawOneBandChanged(benchmark::State& state)
{
    ShownPage p(state.range(0) != 0);
    if (!p.exposed())
        return state.SkipWithError("the window was never exposed");
    const std::size_t gain = sys::roomEq(3) + 2;
    std::uint8_t value = 30;
    for (auto _ : state) {
        value = value == 30 ? 31 : 30;
        p.image.set(gain, value);
        p.graph().redraw();
    }
}
BENCHMARK(SystemRedrawOneBandChanged)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Room band 4's gain slider dragged over 100 positions: each step is the page's own handler
// (image, gain field, graph redraw, command). Reports the per-step median beside the total.
void SystemSliderDrag(benchmark::State& state)
{
    ShownPage p(state.range(0) != 0);
    if (!p.exposed())
        return state.SkipWithError("the window was never exposed");
    auto* slider = p.window.findChild<QSlider*>(QString::number(res::system::RoomEq4GainSlider));
    if (slider == nullptr)
        return state.SkipWithError("no gain slider for room band 4");
    std::vector<double> steps;
    steps.reserve(100 * 64);
    int value = slider->minimum();
    int direction = 1;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            if (value + direction > slider->maximum() || value + direction < slider->minimum())
                direction = -direction;
            value += direction;
            const auto start = std::chrono::steady_clock::now();
            slider->setValue(value);
            steps.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2), steps.end());
    state.counters["step_median_us"] = steps[steps.size() / 2];
}
BENCHMARK(SystemSliderDrag)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return tonel::bench::runQtBenchmarks(argc, argv); }
