#pragma once
// What the Qt benchmarks share: a channel with no device behind it, the System page's eleven
// bands made busy, and a main that runs the benchmarks inside an offscreen application.

#include "device/CommandChannel.h"
#include "model/Fields.h"
#include "model/ParameterImage.h"

#include <QApplication>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace tonel::bench {

struct OfflineChannel : CommandChannel {
    bool connected() const override { return false; }
    void write(const std::string&) override {}
};

// Every type and both ends of the tables: the room, centre and subwoofer bands in that order.
inline constexpr std::array<EqBand, 11> kBusySystemBands = {{{1, 30, 48, 40}, {1, 50, 0, 20}, {2, 75, 24, 46},
                                                             {3, 100, 48, 46}, {4, 12, 0, 46}, {5, 90, 24, 60},
                                                             {1, 60, 30, 46}, {1, 1, 48, 10}, {4, 121, 48, 46},
                                                             {1, 121, 0, 72}, {2, 1, 24, 0}}};

inline void setBusySystemBands(ParameterImage& image)
{
    namespace sys = fields::system;
    const std::array<std::size_t, 11> offsets = {sys::roomEq(0), sys::roomEq(1), sys::roomEq(2), sys::roomEq(3),
                                                 sys::roomEq(4), sys::roomEq(5), sys::roomEq(6), sys::centreEq(0),
                                                 sys::centreEq(1), sys::subEq(0), sys::subEq(1)};
    for (std::size_t i = 0; i < offsets.size(); ++i)
        image.setBand(offsets[i], kBusySystemBands[i]);
}

inline int runQtBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tonel::bench
