// The four pages: a full redraw of each page's graph, and refreshAllPages.
#include "QtBench.h"
#include "eq/EqGraphView.h"
#include "model/Fields.h"
#include "pages/EffectPage.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "pages/SystemPage.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace tonel;

struct Pages {
    ParameterImage image;
    bench::OfflineChannel channel;
    QWidget view;
    std::unique_ptr<BoundPage> pages[4];
    Pages()
    {
        const PageContext context{image, channel};
        pages[0] = std::make_unique<EffectPage>(context, &view);
        pages[1] = std::make_unique<MicrophonePage>(context, &view);
        pages[2] = std::make_unique<MusicPage>(context, &view);
        pages[3] = std::make_unique<SystemPage>(context, &view);
        // A busy image: every band a different type, gain and frequency, crossovers on.
        for (std::size_t offset : {fields::mic::eq(0), fields::music::eq(0), fields::system::roomEq(0)})
            for (int b = 0; b < 5; ++b)
                image.setBand(offset + 4 * b, EqBand{static_cast<std::uint8_t>(1 + b % 5), static_cast<std::uint8_t>(10 + 20 * b),
                                                     static_cast<std::uint8_t>(8 * b), static_cast<std::uint8_t>(10 + 12 * b)});
        image.set(fields::system::subHighPass, 10);
        for (auto& p : pages)
            p->refreshFromImage();
    }
};

Pages& pages()
{
    static Pages p;
    return p;
}

void GraphRedraw(benchmark::State& state)
{
    BoundPage& page = *pages().pages[state.range(0)];
    EqGraphView* graph = page.controls().graph();
    for (auto _ : state) {
        QImage picture = graph->render();
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.SetLabel(page.objectName().toStdString());
}
BENCHMARK(GraphRedraw)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// What the main view does after a read or a file load (the graphs of hidden pages count too:
// each page renders its picture once).
void RefreshAllPages(benchmark::State& state)
{
    auto& p = pages();
    for (auto _ : state) {
        for (auto& page : p.pages) {
            page->refreshFromImage();
            QImage picture = page->controls().graph()->render();
            benchmark::DoNotOptimize(picture.constBits());
        }
        for (auto& page : p.pages)
            page->applyControlMode();
    }
}
BENCHMARK(RefreshAllPages)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tonel::bench::runQtBenchmarks(argc, argv); }
