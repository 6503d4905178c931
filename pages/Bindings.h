#pragma once
// The binding tables a page declares: which control edits which catalog parameter, and how. The
// byte and its range come from the parameter's catalog entry.

#include "model/ParameterCatalog.h"
#include "model/ParameterImage.h"
#include "model/ValueScales.h"
#include "res/BandColumn.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonel {

// An image offset, either absolute or inside the effect program selected at the moment of use.
struct ByteRef {
    std::size_t offset = 0;
    bool inEffectProgram = false;
    std::size_t resolve(const ParameterImage& image) const
    {
        return inEffectProgram ? image.effectOffset(offset) : offset;
    }
};

// The catalog entry of `name`; a name the catalog lacks is a programming error (throws).
const Parameter& catalogEntry(std::string_view name);
// The byte a control of `name` edits: an effect program's parameter ("effect1.delay") stands for
// that byte of the program selected at the moment of use.
ByteRef byteOf(const Parameter& parameter);

// A vertical slider over a level (0..50) or amount (0..100) byte, with its value field.
struct LevelBinding {
    LevelBinding(int sliderId, int fieldId, std::string_view name, std::function<void()> afterMove = {});
    int sliderId;
    int fieldId;
    ByteRef byte;
    int max;
    std::function<void()> afterMove;  // page rule after a move that changed the byte
};

// The arrow a read-out's text follows: the spin's step direction, or None for the text of a refresh.
enum class SpinArrow { None, Up, Down };

// A read-out field of a spin; the text is chosen from the byte, the arrow pressed and whether the
// click changed the byte. No text leaves the field as it is.
struct Readout {
    int fieldId;
    std::function<std::optional<std::string>(int byte, SpinArrow arrow, bool changed)> text;
};

struct SpinBinding {
    SpinBinding(int spinId, std::string_view name, std::vector<Readout> readouts, bool reversed = false,
                std::function<void(SpinArrow)> afterStep = {}, bool keepsStrayBytes = false);
    int spinId;
    ByteRef byte;
    int min;
    int max;
    std::vector<Readout> readouts;
    bool reversed;                            // the down arrow raises the byte
    std::function<void(SpinArrow)> afterStep; // page rule, before the command is sent
    bool keepsStrayBytes;                     // a byte outside min..max stays (a switch)
};

struct FrequencyTexts {
    FrequencyFormat up;       // after the spin's up arrow
    FrequencyFormat down;     // after the spin's down arrow
    FrequencyFormat refresh;  // after a refresh
    FrequencyFormat entered;  // right after a typed entry
};

// One equaliser band column: type button, gain slider + field, frequency field + spin, Q field + spin.
struct BandBinding {
    BandBinding(std::string_view name, const res::BandColumn& ids, const FrequencyTexts& frequencyTexts);  // "mic.eq1"
    ByteRef band;  // the band's type byte
    res::BandColumn ids;
    int freqMin, freqMax;  // the ranges of the band's frequency and q bytes
    int qMin, qMax;
    FrequencyTexts frequencyTexts;
};

// Common read-out texts.
namespace readout {
Readout number(int fieldId);                                            // "%d"
// After the up arrow `on`, after the down arrow `offAfterDown`; a refresh shows `on` for 1 and
// `offOnRefresh` for anything else.
Readout switchByArrow(int fieldId, std::string on, std::string offAfterDown, std::string offOnRefresh);
Readout byByte(int fieldId, std::function<std::string(int)> text);      // the byte's text, always
}  // namespace readout

}  // namespace tonel
