#include "model/ParameterImage.h"

#include "model/Fields.h"

#include <algorithm>

namespace tonel {
namespace {

namespace f = fields;

constexpr EqBand kShelfLow{4, 32, 24, 46};
constexpr EqBand kShelfHigh{3, 89, 24, 46};
constexpr EqBand kPeak1k{1, 69, 24, 46};

constexpr void putBand(ImageBytes& b, std::size_t offset, const EqBand& band)
{
    b[offset] = band.type;
    b[offset + 1] = band.freqIndex;
    b[offset + 2] = band.gain;
    b[offset + 3] = band.qIndex;
}

// The three effect programs differ only in their level, time and balance defaults.
constexpr void putEffectPrograms(ImageBytes& b)
{
    constexpr std::uint8_t master[] = {39, 36, 33};
    constexpr std::uint8_t delay[] = {59, 56, 53};
    constexpr std::uint8_t repeat[] = {58, 55, 52};
    constexpr std::uint8_t reverbTime[] = {56, 53, 51};
    constexpr std::uint8_t reverbEchoMix[] = {20, 50, 80};
    for (int k = 0; k < f::effect::programCount; ++k) {
        b[f::effect::at(k, f::effect::masterLevel)] = master[k];
        b[f::effect::at(k, f::effect::extension)] = 0;
        b[f::effect::at(k, f::effect::delay)] = delay[k];
        b[f::effect::at(k, f::effect::repeat)] = repeat[k];
        b[f::effect::at(k, f::effect::reverbTime)] = reverbTime[k];
        b[f::effect::at(k, f::effect::reverbEchoMix)] = reverbEchoMix[k];
        b[f::effect::at(k, f::effect::toLeftRight)] = 50;
        b[f::effect::at(k, f::effect::toCentre)] = 0;
        b[f::effect::at(k, f::effect::toAux1)] = 50;
        b[f::effect::at(k, f::effect::toAux2)] = 50;
        putBand(b, f::effect::at(k, f::effect::eq(0)), kShelfLow);
        putBand(b, f::effect::at(k, f::effect::eq(1)), kShelfHigh);
    }
}

constexpr void putMic(ImageBytes& b)
{
    using namespace f::mic;
    b[mainLevel] = 39;
    b[maxLevel] = 50;
    b[inputGain(0)] = 50;
    b[inputGain(1)] = 50;
    b[exciter] = 0;
    b[noiseGate] = 1;
    b[autoGain] = 0;
    b[limiter] = 25;
    b[feedback] = 0;
    b[sendLR] = b[sendCentre] = b[sendAux1] = b[sendAux2] = 50;
    b[link] = 1;
    putBand(b, micEq(0), kPeak1k);
    putBand(b, micEq(1), kPeak1k);
    putBand(b, eq(0), kShelfLow);
    for (int i = 1; i <= 3; ++i)
        putBand(b, eq(i), kPeak1k);
    putBand(b, eq(4), kShelfHigh);
}

constexpr void putMusic(ImageBytes& b)
{
    using namespace f::music;
    b[mainLevel] = 30;
    b[maxLevel] = 50;
    b[inputGain] = 50;
    b[inputSelect] = 2;
    b[bgmGain] = 50;
    b[noiseGate] = 1;
    b[autoGain] = 0;
    b[limiter] = 25;
    b[sendLR] = b[sendAux1] = b[sendAux2] = 50;
    b[sendCentre] = 0;
    b[sendSub] = 50;
    putBand(b, eq(0), kShelfLow);
    putBand(b, eq(1), {1, 49, 24, 46});
    putBand(b, eq(2), {1, 61, 24, 46});
    putBand(b, eq(3), kPeak1k);
    putBand(b, eq(4), kShelfHigh);
}

constexpr void putSystem(ImageBytes& b)
{
    using namespace f::system;
    for (int i = 0; i < 7; ++i)
        putBand(b, roomEq(i), kPeak1k);
    b[centreLevel] = 50;
    putBand(b, centreEq(0), kPeak1k);
    putBand(b, centreEq(1), kPeak1k);
    b[aux1Level] = 50;
    b[aux1Delay] = 0;
    b[aux2Level] = 50;
    b[aux2Delay] = 0;
    b[subLevel] = 50;
    b[subHighPass] = 0;
    b[subLowPass] = 25;
    b[subPhase] = 0;
    b[subAutoAttenuation] = 0;
    putBand(b, subEq(0), {1, 21, 24, 46});
    putBand(b, subEq(1), {1, 21, 24, 46});
}

constexpr ImageBytes makeDefaults()
{
    ImageBytes b{};
    b[f::global::reserved] = 1;
    b[f::global::controlMode] = 0;
    b[f::global::displayContrast] = 1;
    b[f::global::panelLock] = 0;
    b[f::global::effectProgram] = 0;
    putEffectPrograms(b);
    putMic(b);
    putMusic(b);
    putSystem(b);
    return b;
}

constexpr ImageBytes kDefaults = makeDefaults();

}  // namespace

const ImageBytes& defaultImageBytes() { return kDefaults; }

ParameterImage::ParameterImage() : bytes_(kDefaults) {}

void ParameterImage::resetToDefaults() { bytes_ = kDefaults; }

void ParameterImage::replaceAll(std::span<const std::uint8_t, kImageSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

EqBand ParameterImage::band(std::size_t offset) const
{
    return {get(offset), get(offset + 1), get(offset + 2), get(offset + 3)};
}

void ParameterImage::setBand(std::size_t offset, const EqBand& band)
{
    set(offset, band.type);
    set(offset + 1, band.freqIndex);
    set(offset + 2, band.gain);
    set(offset + 3, band.qIndex);
}

int ParameterImage::effectProgram() const
{
    // A file or the device may hold any byte here; a program past the third would read into mic.
    return std::min<int>(bytes_[fields::global::effectProgram], fields::effect::programCount - 1);
}

std::size_t ParameterImage::effectOffset(std::size_t r) const
{
    return fields::effect::at(effectProgram(), r);
}

}  // namespace tonel
