#pragma once
// Which fields carry a command, and the command text each one sends with its current bytes. The
// table is read off the parameter catalog, where each byte declares its command.

#include "model/ParameterImage.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tonel {

enum class CommandForm {
    Value,            // "(01$GGGIII%03d)"
    SpacePadded,      // "(01$003000%3d)"
    Band,             // "(01$008III%03d%03d%03d%03d)"
    ControlMode,      // "(01O0)" / "(01O1)"
    DisplayContrast,  // "(01T0)" .. "(01T3)"
    PanelLock,        // "(01CE)" for 0, "(01CD)" for 1
};

struct CommandField {
    std::string name;       // the catalog's: "mic.main_level", a band "room.eq4", effect "effect.eq2"
    std::size_t offset;     // absolute; for effect fields the offset inside the program (0..17)
    bool effectRelative;    // true: the field lies in the selected effect program
    CommandForm form;
    int group;              // wire group (Value, SpacePadded, Band)
    int item;               // wire item
};

// Every field that carries a command: the 73 parameter commands and the three literal commands
// of global.controlMode, global.displayContrast and global.panelLock.
std::span<const CommandField> commandFields();  // in image order

// The field whose bytes include `absoluteOffset` (a band's four bytes all map to the band).
// Effect offsets of any program map to the effect field. Nothing for reserved or unknown bytes.
const CommandField* commandFieldAt(std::size_t absoluteOffset);

// The command the field sends with its current bytes (the band read from its start offset, an
// effect field from the program whose bytes hold it). Nothing when the field has no command or,
// for the literal commands, when the byte has no command of its own (contrast above 3, lock above 1).
std::optional<std::string> commandForField(const ParameterImage& image, const CommandField& field,
                                           std::size_t absoluteOffset);
std::optional<std::string> commandForOffset(const ParameterImage& image, std::size_t absoluteOffset);

// The parameter-command forms themselves.
std::string formatValueCommand(int group, int item, std::uint8_t value);      // "%03d"
std::string formatSpacePaddedCommand(int group, int item, std::uint8_t value); // "%3d"
std::string formatBandCommand(int item, const EqBand& band);                  // group 008

}  // namespace tonel
