#pragma once
// The 188-byte parameter block of the processor: the only copy of every setting.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tonel {

inline constexpr std::size_t kImageSize = 188;
using ImageBytes = std::array<std::uint8_t, kImageSize>;

// Four consecutive image bytes of one equaliser band, in wire order.
struct EqBand {
    std::uint8_t type = 0;       // FilterType code 0..5
    std::uint8_t freqIndex = 0;  // 1..121 into FrequencyTable
    std::uint8_t gain = 0;       // 0..48, 24 = 0 dB, half-dB steps
    std::uint8_t qIndex = 0;     // 0..72 into QTable
    friend bool operator==(const EqBand&, const EqBand&) = default;
};

class ParameterImage {
public:
    ParameterImage();  // starts with the defaults

    void resetToDefaults();
    const ImageBytes& bytes() const { return bytes_; }
    void replaceAll(std::span<const std::uint8_t, kImageSize> bytes);

    // Byte access by absolute offset (0..187); offsets outside the image are a programming error.
    std::uint8_t get(std::size_t offset) const { return bytes_.at(offset); }
    void set(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }

    // A band starting at `offset` (its type byte).
    EqBand band(std::size_t offset) const;
    void setBand(std::size_t offset, const EqBand& band);

    // The effect program the Effect page edits: global.effectProgram, with a stored value above 2
    // (only from a file or the device) taken as program 2 so nothing reads past the effect section.
    int effectProgram() const;
    // Absolute offset of byte r (0..17) of the selected effect program.
    std::size_t effectOffset(std::size_t r) const;

    friend bool operator==(const ParameterImage&, const ParameterImage&) = default;

private:
    ImageBytes bytes_{};
};

// The defaults of every byte, in offset order.
const ImageBytes& defaultImageBytes();

}  // namespace tonel
