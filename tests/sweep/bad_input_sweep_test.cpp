// Any byte in any offset: for each offset and each value of a list that crosses every range
// bound of the image, load an image holding it (the rest the defaults, or random bytes), refresh
// all four pages and render their graphs, compare every shown text with what its rule gives for
// the byte, then operate every control once and check what is sent and what changes. No page may crash, read
// past a table (ASan), hit undefined behaviour (UBSan) or show a text its rule does not allow.
#include "tests/sweep/SweepRig.h"

#include <array>
#include <ostream>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tonel::testing {
namespace {

// Every range bound of the image and its neighbours: switches, choices, the limiter's 25, gains
// 24/48, levels 50, Q 72, amounts 100, frequency indices 121/122, the signed-char edge, 255.
constexpr std::array<int, 26> kValues = {0,  1,  2,  3,   4,   5,   6,   24,  25,  26,  48,  49,  50,
                                         51, 72, 73, 100, 101, 121, 122, 123, 127, 128, 200, 254, 255};

// Level sliders (9 + 7 + 8 + 4) and spins (5 + 21 + 15 + 35) of the four pages.
constexpr long kAlwaysOperable = 104;

// Rendering is what reads the tables, and it is most of the cost (a picture per graph, several
// milliseconds under ASan): the graph of the swept byte's section renders for every value, all
// four graphs for these values, so that a graph reading a byte outside its section shows too.
bool rendersEveryGraph(int value) { return value == 0 || value == 122 || value == 255; }

// An effect program's byte is swept with its program selected, so the Effect page shows it.
constexpr std::size_t kEffectProgram = 4;
constexpr std::size_t kFirstProgramByte = 5;
constexpr std::size_t kLastProgramByte = 58;
constexpr std::size_t kProgramSize = 18;

enum class Rest { Defaults, Random };

struct SweepCase {
    const char* name;
    std::size_t first;
    std::size_t last;
    Rest rest;
};

// CTest lists the case by its name rather than its bytes.
void PrintTo(const SweepCase& c, std::ostream* out) { *out << c.name; }

ImageBytes restOfImage(Rest rest)
{
    if (rest == Rest::Defaults)
        return defaultImageBytes();
    std::mt19937 generator(20261208u);  // fixed: a failure must be repeatable
    ImageBytes bytes{};
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(generator() & 0xFFu);
    return bytes;
}

class BadInputSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(BadInputSweep, EveryPageShowsSendsAndSurvivesEveryValue)
{
    const SweepCase& c = GetParam();
    const ImageBytes rest = restOfImage(c.rest);
    SweepRig rig;
    Findings findings;
    for (std::size_t offset = c.first; offset <= c.last; ++offset) {
        for (std::size_t v = 0; v < kValues.size(); ++v) {
            ImageBytes bytes = rest;
            if (offset >= kFirstProgramByte && offset <= kLastProgramByte)  // the Effect page shows it
                bytes[kEffectProgram] = static_cast<std::uint8_t>((offset - kFirstProgramByte) / kProgramSize);
            bytes[offset] = static_cast<std::uint8_t>(kValues[v]);
            const Where where = [&] {
                return "offset " + std::to_string(offset) + " = " + std::to_string(kValues[v])
                       + (c.rest == Rest::Defaults ? " on the defaults" : " on the random image");
            };
            rig.load(bytes);
            rig.refreshAndCheck(findings, where);
            rig.renderGraphs(rendersEveryGraph(kValues[v]), offset, findings, where);
            rig.operateAll(static_cast<unsigned>(v), offset, findings, where);
            rig.applyControlModes();
            // Whatever the actions left in the image, a refresh shows it by the same rules.
            const Where afterActions = [&] { return where() + ", after every control was operated"; };
            rig.refreshAndCheck(findings, afterActions);
        }
    }
    // The level sliders and the spins are never disabled: at least these 104 act on every image.
    const long images = static_cast<long>((c.last - c.first + 1) * kValues.size());
    EXPECT_GE(rig.actions(), images * kAlwaysOperable);
    for (const std::string& finding : findings.first())
        ADD_FAILURE() << finding;
    EXPECT_EQ(findings.count(), 0) << "faults in all (the first ones are listed above)";
}

// Split by image section so CTest runs the cases side by side.
INSTANTIATE_TEST_SUITE_P(
    Sections, BadInputSweep,
    ::testing::Values(SweepCase{"GlobalAndEffectOnDefaults", 0, 58, Rest::Defaults},
                      SweepCase{"MicrophoneOnDefaults", 59, 100, Rest::Defaults},
                      SweepCase{"MusicOnDefaults", 101, 133, Rest::Defaults},
                      SweepCase{"SystemOnDefaults", 134, 187, Rest::Defaults},
                      SweepCase{"GlobalAndEffectOnRandom", 0, 58, Rest::Random},
                      SweepCase{"MicrophoneOnRandom", 59, 100, Rest::Random},
                      SweepCase{"MusicOnRandom", 101, 133, Rest::Random},
                      SweepCase{"SystemOnRandom", 134, 187, Rest::Random}),
    [](const ::testing::TestParamInfo<SweepCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonel::testing
