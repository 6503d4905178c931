// The EQ graph's cost per redraw: the System page's graph (954 x 264, curves of 7, 2 and 2
// bands with their handles) and the response math alone.

#include "QtBench.h"
#include "eq/EqGraphView.h"
#include "eq/math/FilterResponse.h"
#include "model/ParameterImage.h"

#include <benchmark/benchmark.h>

#include <QTest>
#include <array>

namespace {

using namespace tonel;

constexpr QSize kClient(954, 264);

// Varied bands so that every type and both ends of the tables are computed.
ParameterImage busyImage()
{
    ParameterImage image;
    bench::setBusySystemBands(image);
    return image;
}

EqCurve curveFrom(const ParameterImage& image, std::initializer_list<std::size_t> offsets,
                  QColor colour, std::vector<QString> labels)
{
    EqCurve c;
    for (std::size_t offset : offsets)
        c.bands.push_back(image.band(offset));
    c.colour = colour;
    c.labels = std::move(labels);
    return c;
}

// What the System page hands the graph: read from the image at every redraw.
std::vector<EqCurve> systemCurves(const ParameterImage& image)
{
    return {curveFrom(image, {134, 138, 142, 146, 150, 154, 158}, QColor(255, 255, 0),
                      {"1", "2", "3", "4", "5", "6", "7"}),
            curveFrom(image, {163, 167}, QColor(0, 0, 255), {"C1", "C2"}),
            curveFrom(image, {180, 184}, QColor(0, 255, 0), {"S1", "S2"})};
}

// range(0): 0 the default image (flat curves), 1 the varied bands above.
ParameterImage imageFor(const benchmark::State& state)
{
    return state.range(0) == 0 ? ParameterImage() : busyImage();
}

// Off-screen picture of the client area: what every redraw does before the copy.
void BM_GraphRender(benchmark::State& state)
{
    const ParameterImage image = imageFor(state);
    EqGraphView view;
    view.resize(kClient + QSize(2, 2));
    view.setCurveSource([&] { return systemCurves(image); });
    for (auto _ : state)
        benchmark::DoNotOptimize(view.render());
}
BENCHMARK(BM_GraphRender)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole redraw of a shown frame: picture, copy onto the window and the frame's edge.
void BM_GraphRedrawShown(benchmark::State& state)
{
    const ParameterImage image = imageFor(state);
    EqGraphView view;
    view.resize(kClient + QSize(2, 2));
    view.setCurveSource([&] { return systemCurves(image); });
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    for (auto _ : state)
        view.redraw();
}
BENCHMARK(BM_GraphRedrawShown)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The response math alone: 11 bands x 121 points.
void BM_ResponseMath(benchmark::State& state)
{
    const ParameterImage image = busyImage();
    const std::vector<EqCurve> curves = systemCurves(image);
    std::array<double, kPlotPointCount> out{};
    for (auto _ : state) {
        for (const EqCurve& curve : curves)
            for (const EqBand& band : curve.bands) {
                bandResponseOverPlot(band, out);
                benchmark::DoNotOptimize(out.data());
            }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ResponseMath)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tonel::bench::runQtBenchmarks(argc, argv); }
