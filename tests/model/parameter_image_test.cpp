#include "model/Fields.h"
#include "model/ParameterImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace tonel::testing {
namespace {

namespace f = fields;

// Written out from the layout tables, byte by byte, independently of the code that builds them.
const ImageBytes kExpectedDefaults{
    1, 0, 1, 0, 0,                                                            // global 0-4
    39, 0, 59, 58, 56, 20, 50, 0, 50, 50, 4, 32, 24, 46, 3, 89, 24, 46,       // effect[0] 5-22
    36, 0, 56, 55, 53, 50, 50, 0, 50, 50, 4, 32, 24, 46, 3, 89, 24, 46,       // effect[1] 23-40
    33, 0, 53, 52, 51, 80, 50, 0, 50, 50, 4, 32, 24, 46, 3, 89, 24, 46,       // effect[2] 41-58
    39, 50, 50, 50, 0, 1, 0, 25, 0, 50, 50, 50, 50, 1,                        // mic 59-72
    1, 69, 24, 46, 1, 69, 24, 46,                                             // mic.micEq 73-80
    4, 32, 24, 46, 1, 69, 24, 46, 1, 69, 24, 46, 1, 69, 24, 46, 3, 89, 24, 46,  // mic.eq 81-100
    30, 50, 50, 2, 50, 1, 0, 25, 50, 50, 50, 0, 50,                           // music 101-113
    4, 32, 24, 46, 1, 49, 24, 46, 1, 61, 24, 46, 1, 69, 24, 46, 3, 89, 24, 46,  // music.eq 114-133
    1, 69, 24, 46, 1, 69, 24, 46, 1, 69, 24, 46, 1, 69, 24, 46,               // system.roomEq 134-149
    1, 69, 24, 46, 1, 69, 24, 46, 1, 69, 24, 46,                              // system.roomEq 150-161
    50,                                                                       // centreLevel 162
    1, 69, 24, 46, 1, 69, 24, 46,                                             // centreEq 163-170
    50, 0, 50, 0, 50, 0, 25, 0, 0,                                            // aux, sub 171-179
    1, 21, 24, 46, 1, 21, 24, 46,                                             // subEq 180-187
};

TEST(ParameterImage, StartsWithEveryDefault)
{
    const ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        EXPECT_EQ(image.get(i), kExpectedDefaults[i]) << "offset " << i;
    EXPECT_EQ(defaultImageBytes(), kExpectedDefaults);
}

TEST(ParameterImage, ResetRestoresEveryByte)
{
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(255 - i));
    image.resetToDefaults();
    EXPECT_EQ(image.bytes(), kExpectedDefaults);
}

TEST(ParameterImage, ReplaceAllTakesEveryByteIncludingModeAndProgram)
{
    ImageBytes loaded{};
    for (std::size_t i = 0; i < kImageSize; ++i)
        loaded[i] = static_cast<std::uint8_t>(i * 3);
    loaded[f::global::controlMode] = 2;
    loaded[f::global::effectProgram] = 1;
    ParameterImage image;
    image.replaceAll(loaded);
    EXPECT_EQ(image.bytes(), loaded);
    EXPECT_EQ(image.effectProgram(), 1);
}

TEST(ParameterImage, NamedFieldsLandOnTheirOffsets)
{
    const ParameterImage image;
    EXPECT_EQ(image.get(f::mic::mainLevel), 39);
    EXPECT_EQ(image.get(f::music::inputSelect), 2);
    EXPECT_EQ(image.get(f::system::subLowPass), 25);
    EXPECT_EQ(image.band(f::music::eq(1)), (EqBand{1, 49, 24, 46}));
    EXPECT_EQ(image.band(f::system::subEq(1)), (EqBand{1, 21, 24, 46}));
    EXPECT_EQ(f::system::subEq(1) + 3, kImageSize - 1);
}

TEST(ParameterImage, SetBandWritesFourBytesInWireOrder)
{
    ParameterImage image;
    image.setBand(f::mic::eq(2), EqBand{5, 121, 48, 72});
    EXPECT_EQ(image.get(89), 5);
    EXPECT_EQ(image.get(90), 121);
    EXPECT_EQ(image.get(91), 48);
    EXPECT_EQ(image.get(92), 72);
    EXPECT_EQ(image.get(93), 1);  // the next band is untouched
}

TEST(ParameterImage, EffectProgramSelectsItsEighteenBytes)
{
    ParameterImage image;
    image.set(f::global::effectProgram, 2);
    EXPECT_EQ(image.effectOffset(0), 41u);
    EXPECT_EQ(image.effectOffset(17), 58u);
    image.set(image.effectOffset(f::effect::masterLevel), 7);
    EXPECT_EQ(image.get(41), 7);
    EXPECT_EQ(image.get(5), 39);   // program 0 keeps its value
    EXPECT_EQ(image.get(23), 36);  // program 1 too
}

TEST(ParameterImage, StoredProgramPastTheLastIsTakenAsTheLast)
{
    ParameterImage image;
    for (int stored : {3, 17, 255}) {
        image.set(f::global::effectProgram, static_cast<std::uint8_t>(stored));
        EXPECT_EQ(image.effectProgram(), 2) << stored;
        EXPECT_EQ(image.effectOffset(17), 58u) << stored;  // never into the mic section
    }
    EXPECT_EQ(image.get(f::global::effectProgram), 255);  // the stored byte itself is kept
}

}  // namespace
}  // namespace tonel::testing
