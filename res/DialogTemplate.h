#pragma once
// The four page templates: every control with its id, kind, rectangle in dialog units and caption.
// One dialog unit is two pixels in both directions.

#include <span>
#include <string_view>

namespace tonel::res {

// The one control every page has under the same id.
enum SharedControl : int {
    GraphFrame = 1000,  // the EQ graph
};

enum class ControlKind {
    Frame,        // sunken static frame (the EQ graph)
    GroupBox,     // decoration
    Label,        // static text, decoration
    Line,         // separator, decoration
    Slider,       // vertical trackbar
    ValueField,   // display-only edit
    Field,        // edit that accepts typing nothing reads (read-outs, Q fields)
    FilterField,  // FrequencyEdit (typed frequencies, and the Effect page's Q fields)
    Spin,         // up-down control at the right edge of the field listed just before it
    Button,       // push button (band type)
};

struct TemplateControl {
    int id;  // -1 for decoration without an id
    ControlKind kind;
    int x, y, w, h;  // dialog units; a spin's rectangle is taken from its field
    std::string_view caption;
};

struct DialogTemplate {
    int id;
    int width, height;  // dialog units
    std::span<const TemplateControl> controls;
};

inline constexpr int kPixelsPerDialogUnit = 2;

const DialogTemplate& effectTemplate();  // 130
const DialogTemplate& micTemplate();     // 131
const DialogTemplate& musicTemplate();   // 134
const DialogTemplate& systemTemplate();  // 135

}  // namespace tonel::res
