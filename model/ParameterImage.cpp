#include "model/ParameterImage.h"

#include "model/Fields.h"
#include "model/ParameterCatalog.h"

#include <algorithm>

namespace tonel {
namespace {

// Every byte's default is declared with it in the catalog.
ImageBytes makeDefaults()
{
    ImageBytes b{};
    for (const Parameter& p : parameterCatalog())
        b[p.offset] = p.defaultByte;
    return b;
}

}  // namespace

const ImageBytes& defaultImageBytes()
{
    static const ImageBytes defaults = makeDefaults();
    return defaults;
}

ParameterImage::ParameterImage() : bytes_(defaultImageBytes()) {}

void ParameterImage::resetToDefaults() { bytes_ = defaultImageBytes(); }

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
