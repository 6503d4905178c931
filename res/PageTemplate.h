#pragma once
// The four page templates: every control with its id, kind, rectangle in template units and caption.
// One template unit is two pixels in both directions.

#include <span>
#include <string_view>

namespace tonel::res {

// The one control every page has under the same id.
enum SharedControl : int {
    GraphFrame = 1000,  // the EQ graph
};

enum class ControlKind {
    Frame,           // sunken frame (the EQ graph)
    GroupBox,        // decoration
    Label,           // static text, decoration
    Line,            // separator, decoration
    Slider,          // vertical slider
    ValueField,      // display-only edit
    Field,           // edit that accepts typing nothing reads (read-outs, Q fields)
    FrequencyField,  // FrequencyEdit (typed frequencies, and the Effect page's Q fields)
    Spin,            // SpinArrows at the right edge of the field listed just before it
    Button,          // push button (band type)
};

struct TemplateControl {
    int id;  // -1 for decoration without an id
    ControlKind kind;
    int x, y, w, h;  // template units; a spin's rectangle is taken from its field
    std::string_view caption;
};

struct PageTemplate {
    int id;
    int width, height;  // template units
    std::span<const TemplateControl> controls;
};

inline constexpr int kPixelsPerTemplateUnit = 2;

// Each page's template id; a page widget's object name is its template id in decimal.
enum TemplateId : int {
    EffectTemplateId = 130,
    MicrophoneTemplateId = 131,
    MusicTemplateId = 134,
    SystemTemplateId = 135,
};

const PageTemplate& effectTemplate();
const PageTemplate& microphoneTemplate();
const PageTemplate& musicTemplate();
const PageTemplate& systemTemplate();

}  // namespace tonel::res
