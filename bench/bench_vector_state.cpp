// Transcendental math before and after the GUI application object exists: 200,000 log + atan2
// calls and the response math of the System page's 11 bands, each the median of several runs,
// and the same once the vector unit is cleared.
// Prints "what microseconds" lines. The platform is QT_QPA_PLATFORM, "minimal" when unset.

#include "QtBench.h"
#include "eq/math/FilterResponse.h"
#include "eq/math/VectorUnit.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace tonel;

volatile double sink;

template <class Work>
double medianMicroseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

void logAndAtan2()
{
    double sum = 0;
    for (int i = 0; i < 200000; ++i) {
        const double x = 1.0 + i * 1e-3;
        sum += std::log(x) + std::atan2(x, 3.0);
    }
    sink = sum;
}

void responseMath()
{
    std::array<double, kPlotPointCount> out{};
    for (const EqBand& band : bench::kBusySystemBands) {
        bandResponseOverPlot(band, out);
        sink = out[60];
    }
}

template <class Work>
void report(const char* what, const char* when, int runs, Work work)
{
    std::printf("%s_%s %.2f\n", what, when, medianMicroseconds(runs, work));
}

void report(const char* when)
{
    report("log_atan2_200k", when, 7, logAndAtan2);
    report("response_math_11_bands", when, 201, responseMath);
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "minimal", 0);
    report("plain");
    QGuiApplication app(argc, argv);
    report("after_application");
    // As the program does it: the vector unit cleared before the work.
    report("log_atan2_200k", "after_application_cleared", 7, [] {
        clearUpperVectorState();
        logAndAtan2();
    });
    report("response_math_11_bands", "after_application_cleared", 201, [] {
        clearUpperVectorState();
        responseMath();
    });
    return 0;
}
