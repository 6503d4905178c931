#include "eq/math/BandResponseCache.h"
#include "eq/math/FilterResponse.h"
#include "model/ValueScales.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace tonel::testing {
namespace {

constexpr double kTolerance = 0.001;
constexpr std::array<double, 5> kW = {0.25, 0.5, 1.0, 2.0, 4.0};
constexpr int kCentreIndex = 69;
constexpr int kQ433 = 46;  // QTable entry 4.33

EqBand band(int type, int gain, int qIndex = kQ433, int freqIndex = kCentreIndex)
{
    return {static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(freqIndex),
            static_cast<std::uint8_t>(gain), static_cast<std::uint8_t>(qIndex)};
}

double atW(const EqBand& b, double w) { return bandResponseDb(b, w * bandCentreHz(b.freqIndex)); }

struct ReferenceRow {
    const char* name;
    int type;
    std::array<double, 5> db;  // at w = 0.25, 0.5, 1, 2, 4 with G = +12 dB, Q = 4.33
};

class ReferenceResponse : public ::testing::TestWithParam<ReferenceRow> {};

TEST_P(ReferenceResponse, MatchesTheTableAtEveryW)
{
    const ReferenceRow& row = GetParam();
    for (std::size_t k = 0; k < kW.size(); ++k)
        EXPECT_NEAR(atW(band(row.type, 48), kW[k]), row.db[k], kTolerance) << "w = " << kW[k];
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, ReferenceResponse,
    ::testing::Values(ReferenceRow{"Peaking", Peaking, {0.061, 0.366, 12.000, 0.366, 0.061}},
                      ReferenceRow{"bandpass", BandPass, {-24.227, -16.353, 0.0, -16.353, -24.227}},
                      ReferenceRow{"HiShelf", HiShelf, {0.063, 0.897, 6.000, 11.103, 11.937}},
                      ReferenceRow{"LoShelf", LoShelf, {11.937, 11.103, 6.000, 0.897, 0.063}},
                      ReferenceRow{"Notch", Notch, {-0.016, -0.101, -80.000, -0.101, -0.016}},
                      ReferenceRow{"byPass", ByPass, {0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterResponse, QOfOneGivesTheReferenceValues)
{
    // Q = 1.0 lies between table entries, so the prototype is driven directly.
    const auto peak = makePrototype(Peaking, 1000.0, -12.0, 1.0);
    const auto pass = makePrototype(BandPass, 1000.0, 0.0, 1.0);
    const std::array<double, 3> w = {0.5, 1.0, 2.0};
    const std::array<double, 3> peakDb = {-3.964, -12.000, -3.964};
    const std::array<double, 3> passDb = {-5.119, 0.000, -5.119};
    for (std::size_t k = 0; k < w.size(); ++k) {
        EXPECT_NEAR(prototypeResponseDb(peak, w[k] * 1000.0), peakDb[k], kTolerance);
        EXPECT_NEAR(prototypeResponseDb(pass, w[k] * 1000.0), passDb[k], kTolerance);
    }
}

TEST(FilterResponse, ShelvesIgnoreQ)
{
    for (int q : {0, 20, 72})
        for (double w : kW) {
            EXPECT_NEAR(atW(band(HiShelf, 48, q), w), atW(band(HiShelf, 48), w), 1e-12);
            EXPECT_NEAR(atW(band(LoShelf, 48, q), w), atW(band(LoShelf, 48), w), 1e-12);
        }
}

TEST(FilterResponse, ZeroGainIsExactlyFlatForGainTypes)
{
    for (int type : {Peaking, HiShelf, LoShelf})
        for (double f : plotFrequencies())
            EXPECT_EQ(bandResponseDb(band(type, 24), f), 0.0) << "type " << type << " at " << f;
}

TEST(FilterResponse, BandpassAndNotchIgnoreGain)
{
    for (int type : {BandPass, Notch})
        for (double w : kW)
            EXPECT_DOUBLE_EQ(atW(band(type, 24), w), atW(band(type, 48), w));
}

TEST(FilterResponse, OppositePeaksCancel)
{
    const std::vector<EqBand> bands = {band(Peaking, 48, 30, 40), band(Peaking, 0, 30, 40)};
    for (double f : plotFrequencies())
        EXPECT_NEAR(curveResponseDb(bands, f), 0.0, 1e-9) << "at " << f;
}

TEST(FilterResponse, CurveIsTheSumOfItsBands)
{
    const std::vector<EqBand> bands = {band(LoShelf, 40, 0, 10), band(Notch, 0, 60, 50),
                                       band(BandPass, 0, 12, 100)};
    for (double f : plotFrequencies()) {
        double sum = 0;
        for (const EqBand& b : bands)
            sum += bandResponseDb(b, f);
        EXPECT_DOUBLE_EQ(curveResponseDb(bands, f), sum);
    }
    EXPECT_EQ(curveResponseDb({}, 1000.0), 0.0);
}

TEST(FilterResponse, CentreFrequenciesLieOnTheTwelfthOctaveGrid)
{
    EXPECT_DOUBLE_EQ(bandCentreHz(1), 20.0);
    EXPECT_NEAR(bandCentreHz(13), 40.0, 1e-9);
    EXPECT_NEAR(bandCentreHz(69), 1015.937, 0.001);  // not the table's 1000 Hz
    EXPECT_NEAR(bandCentreHz(121), 20480.0, 1e-9);
}

TEST(FilterResponse, IndicesBeyondTheTablesAreClamped)
{
    EXPECT_EQ(bandCentreHz(0), bandCentreHz(1));
    EXPECT_EQ(bandCentreHz(-5), bandCentreHz(1));
    EXPECT_EQ(bandCentreHz(200), bandCentreHz(121));
    for (double f : {20.0, 5000.0, 20480.0}) {
        EXPECT_EQ(bandResponseDb(band(Peaking, 48, kQ433, 200), f),
                  bandResponseDb(band(Peaking, 48, kQ433, 121), f));
        EXPECT_EQ(bandResponseDb(band(Peaking, 48, 255, 69), f),
                  bandResponseDb(band(Peaking, 48, kMaxQIndex, 69), f));
        EXPECT_EQ(bandResponseDb(band(Notch, 24, kQ433, 0), f),
                  bandResponseDb(band(Notch, 24, kQ433, 1), f));
    }
}

TEST(FilterResponse, UnknownTypesAddNothing)
{
    for (int type : {6, 7, 100, 255})
        for (double f : plotFrequencies())
            EXPECT_EQ(bandResponseDb(band(type, 48), f), 0.0);
}

TEST(FilterResponse, NotchBottomIsMinus80AtItsOwnPlotPoint)
{
    // The band's centre is plot point freqIndex - 1, where w is exactly 1.
    for (int index : {1, 37, 69, 121})
        EXPECT_NEAR(bandResponseDb(band(Notch, 24, kQ433, index), plotFrequencies()[index - 1]),
                    -80.0, 1e-9);
}

TEST(FilterResponse, PlotFrequenciesRunFrom20HzTo20480HzInTwelfthOctaves)
{
    const auto& f = plotFrequencies();
    ASSERT_EQ(f.size(), 121u);
    EXPECT_DOUBLE_EQ(f[0], 20.0);
    EXPECT_NEAR(f[12], 40.0, 1e-9);
    EXPECT_NEAR(f[120], 20480.0, 1e-9);
    for (std::size_t m = 1; m < f.size(); ++m)
        EXPECT_NEAR(f[m] / f[m - 1], std::pow(2.0, 1.0 / 12.0), 1e-12);
}

// A slider drag changes one band at a time: only that band's response is worked out again.
TEST(FilterResponse, CacheWorksOutOnlyBandsWhoseBytesChanged)
{
    BandResponseCache cache;
    const EqBand room = band(Peaking, 30, 12, 69), sub = band(LoShelf, 20, 40, 21);
    const auto expect = [](const BandResponseCache::Response& got, const EqBand& b) {
        std::array<double, kPlotPointCount> want{};
        bandResponseOverPlot(b, want);
        EXPECT_EQ(got, want);
    };
    expect(cache.response(0, room), room);
    expect(cache.response(1, sub), sub);
    EXPECT_EQ(cache.computations(), 2);
    cache.response(0, room);
    cache.response(1, sub);
    EXPECT_EQ(cache.computations(), 2);
    for (EqBand changed : {band(Notch, 30, 12, 69), band(Notch, 31, 12, 69), band(Notch, 31, 13, 69),
                           band(Notch, 31, 13, 70)}) {
        expect(cache.response(0, changed), changed);  // type, gain, Q, frequency: one byte at a time
        cache.response(1, sub);
    }
    EXPECT_EQ(cache.computations(), 6);
}

TEST(FilterResponse, ResponseOverPlotMatchesPointByPoint)
{
    const EqBand b = band(HiShelf, 7, 3, 88);
    std::array<double, kPlotPointCount> out{};
    bandResponseOverPlot(b, out);
    for (int m = 0; m < kPlotPointCount; ++m)
        EXPECT_EQ(out[m], bandResponseDb(b, plotFrequencies()[m]));
}

}  // namespace
}  // namespace tonel::testing
