#pragma once
// What each page must show for any byte, written out here independently of the pages: which
// control shows or edits which image byte, and the text each kind of field gives a byte.

#include "model/ParameterImage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tonel::testing {

// An image byte as a page reaches it: absolute, or inside the selected effect program.
struct ByteAt {
    std::size_t offset;
    bool inProgram = false;
};
// The effect program is global.effectProgram, a stored value above 2 counting as program 2.
std::size_t resolve(const ImageBytes& image, ByteAt byte);

// The kinds of text a field shows for its byte.
enum class Shown {
    Number,           // "%d": levels, amounts, maximum levels, contrast
    Gain,             // (gain - 24) / 2 in whole decibels, half decibels away from zero
    Q,                // "%.2f" of the Q table, index clamped to 72
    EffectFrequency,  // "%.2fHz" up to index 68, "%.2fKH" of kHz from 69 (index clamped to 121)
    PageFrequency,    // as above with "KHz"
    EffectSwitch,     // "ON " for 1, else "OFF"
    MicSwitch,        // " ON" for 1, else "OFF"
    MusicSwitch,      // "ON " for 1, else "OFF"
    Limiter,          // "OFF" for 25, else "%ddBV" of byte - 18
    Feedback,         // "FB.EX%d" of any byte
    InputSource,      // "AUTO", "DIGIT", "VOD", "BGM"; empty above 3
    Program,          // "甜美", "豪迈", "激情"; empty above 2
    PanelLock,        // "OFF", "ON "; empty above 1
    Phase,            // "Normal", "Reverse"; empty above 1
    Delay,            // "%.1fms" of byte x 0.5, also above 100
    Distance,         // "%.1fm" of that delay x 0.34
    HighPass,         // "OFF" for 0, else "%.1fHz" of the table at min(byte, 121)
    LowPass,          // "%.1fHz" of the table at min(byte, 121)
    Attenuation,      // "OFF" for 0, "-%ddB" of byte x 3 for 1..4, "MUTE" from 5
};
std::string expectedText(Shown shown, int byte);

// A band type button's caption after a refresh: the type name, or the caption it had before
// for a code without a name.
std::string expectedCaption(int type, const std::string& before);

// Slider position counted from the top, as the slider clamps it.
int expectedLevelPosition(int byte, int max);
int expectedGainPosition(int gain);

struct LevelRule {
    int slider;
    int field;
    ByteAt byte;
    int max;
};

struct ReadoutField {
    int field;
    Shown shown;
};
struct SpinRule {
    std::vector<int> spins;  // the delay settings have two spins on one byte
    ByteAt byte;
    std::vector<ReadoutField> fields;
};

struct BandRule {
    ByteAt band;  // its type byte
    int typeButton, gainSlider, gainField, freqField, freqSpin, qField, qSpin;
    Shown frequency;  // the refresh's frequency text
};

// A page rule by which one control changes bytes outside its own field.
enum class Coupling {
    None,
    MicBand,       // while linked, a microphone band change is copied to the other band
    MicInputGain,  // while linked, an input gain move is copied to the other gain
    MicLink,       // switching the link on copies microphone 1 to microphone 2
    MaxLevel,      // lowering a maximum level pulls its main level down
};

struct PageRules {
    const char* name;
    int templateId;
    std::size_t sectionFirst;  // the image section the page edits and its graph draws
    std::size_t sectionLast;
    std::vector<LevelRule> levels;
    std::vector<SpinRule> spins;
    std::vector<BandRule> bands;
};

const PageRules& effectRules();
const PageRules& micRules();
const PageRules& musicRules();
const PageRules& systemRules();

// The coupling of a control on a page (None for almost all).
Coupling couplingOf(int templateId, int controlId);

}  // namespace tonel::testing
