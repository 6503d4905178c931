#include "tests/sweep/SweepRig.h"

#include "controls/FrequencyEdit.h"
#include "controls/SpinArrows.h"
#include "eq/EqGraphView.h"
#include "model/ParameterCommands.h"
#include "pages/EffectPage.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "pages/SystemPage.h"
#include "res/PageTemplate.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tonel::testing {

// ---- Findings

void Findings::add(const std::string& where, const std::string& what)
{
    ++count_;
    if (static_cast<int>(first_.size()) < kKept)
        first_.push_back(where + ": " + what);
}

namespace {

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

template <class T>
T* control(const std::unordered_map<int, QWidget*>& byId, int id)
{
    auto it = byId.find(id);
    return it == byId.end() ? nullptr : qobject_cast<T*>(it->second);
}

// Texts a user can type into a frequency field (the field swallows other characters); nullptr
// leaves the field without typing, which re-reads the text it shows.
constexpr std::array<const char*, 14> kTyped = {nullptr, "",      "0",   ".5",   "2.5k",  "1k",    "1.5K",
                                                "19000", "63",    "99999", "0.0001k", "kk", "20000", "0o0"};

enum class Kind { Slider, Spin, TypeButton, FrequencyField };

// One control with the image bytes it edits: one byte, or the four bytes of its band.
struct Operable {
    int id;
    Kind kind;
    ByteAt byte;
    std::size_t size;
};

std::vector<Operable> operablesOf(const PageRules& rules)
{
    std::vector<Operable> list;
    for (const LevelRule& l : rules.levels)
        list.push_back({l.slider, Kind::Slider, l.byte, 1});
    for (const SpinRule& s : rules.spins)
        for (int id : s.spins)
            list.push_back({id, Kind::Spin, s.byte, 1});
    for (const BandRule& b : rules.bands) {
        list.push_back({b.gainSlider, Kind::Slider, b.band, 4});
        list.push_back({b.freqSpin, Kind::Spin, b.band, 4});
        list.push_back({b.qSpin, Kind::Spin, b.band, 4});
        list.push_back({b.typeButton, Kind::TypeButton, b.band, 4});
        list.push_back({b.freqField, Kind::FrequencyField, b.band, 4});
    }
    return list;
}

std::unordered_map<int, QWidget*> controlsById(QWidget* page)
{
    std::unordered_map<int, QWidget*> byId;
    for (QObject* child : page->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->objectName().isEmpty())
            byId[w->objectName().toInt()] = w;
    return byId;
}

std::size_t mainLevelOf(int templateId) { return templateId == res::MicrophoneTemplateId ? 59 : 101; }

bool within(std::size_t offset, std::size_t first, std::size_t size) { return offset >= first && offset < first + size; }

}  // namespace

struct SweepRig::Action {
    Operable control;
    bool up;            // spins: the up arrow; sliders: one step up
    const char* typed;  // frequency fields
};

// ---- The rig

SweepRig::SweepRig()
{
    channel_.isConnected = true;
    const PageContext context{image_, channel_};
    pages_.push_back({new EffectPage(context, &host_), &effectRules(), {}, {}});
    pages_.push_back({new MicrophonePage(context, &host_), &micRules(), {}, {}});
    pages_.push_back({new MusicPage(context, &host_), &musicRules(), {}, {}});
    pages_.push_back({new SystemPage(context, &host_), &systemRules(), {}, {}});
    for (Page& p : pages_)
        p.byId = controlsById(p.page);
}

void SweepRig::load(const ImageBytes& bytes)
{
    image_.replaceAll(bytes);
    channel_.sent.clear();
}

void SweepRig::applyControlModes()
{
    for (Page& p : pages_)
        p.page->applyControlMode();
}

void SweepRig::refreshAndCheck(Findings& findings, const Where& where)
{
    for (Page& p : pages_) {
        p.captionsBefore.clear();
        for (const BandRule& b : p.rules->bands)
            if (auto* button = control<QPushButton>(p.byId, b.typeButton))
                p.captionsBefore.push_back(button->text().toStdString());
    }
    for (Page& p : pages_) {
        p.page->refreshFromImage();
        p.page->redrawGraph();
    }
    for (const Page& p : pages_)
        checkPage(p, findings, where);
}

void SweepRig::renderGraphs(bool everyPage, std::size_t swept, Findings& findings, const Where& where)
{
    constexpr std::size_t kLastGlobalByte = 4;
    for (const Page& p : pages_) {
        const bool reads = swept <= kLastGlobalByte || (swept >= p.rules->sectionFirst && swept <= p.rules->sectionLast);
        if (!everyPage && !reads)
            continue;
        auto* graph = control<EqGraphView>(p.byId, res::GraphFrame);
        if (!graph) {
            findings.add(where(), std::string(p.rules->name) + ": no graph frame");
            continue;
        }
        const QImage picture = graph->render();
        if (picture.isNull() || picture.size() != graph->contentsRect().size())
            findings.add(where(), std::string(p.rules->name) + ": the graph rendered no picture of its frame's size");
    }
}

// ---- Texts after a refresh

void SweepRig::checkPage(const Page& p, Findings& findings, const Where& where) const
{
    const ImageBytes& image = image_.bytes();
    const auto expectText = [&](int id, const std::string& expected) {
        auto* field = control<QLineEdit>(p.byId, id);
        const std::string shown = field ? field->text().toStdString() : std::string("<no field>");
        if (shown != expected)
            findings.add(where(), std::string(p.rules->name) + " field " + std::to_string(id) + " shows " + quoted(shown)
                                      + ", expected " + quoted(expected));
    };
    const auto expectPosition = [&](int id, int expected) {
        auto* slider = control<QSlider>(p.byId, id);
        const int position = slider ? slider->maximum() - slider->value() : -1;
        if (position != expected)
            findings.add(where(), std::string(p.rules->name) + " slider " + std::to_string(id) + " at position "
                                      + std::to_string(position) + ", expected " + std::to_string(expected));
    };
    for (const LevelRule& l : p.rules->levels) {
        const int byte = image[resolve(image, l.byte)];
        expectText(l.field, expectedText(Shown::Number, byte));
        expectPosition(l.slider, expectedLevelPosition(byte, l.max));
    }
    for (const SpinRule& s : p.rules->spins)
        for (const ReadoutField& f : s.fields)
            expectText(f.field, expectedText(f.shown, image[resolve(image, s.byte)]));
    for (std::size_t i = 0; i < p.rules->bands.size(); ++i) {
        const BandRule& b = p.rules->bands[i];
        const std::size_t at = resolve(image, b.band);
        expectText(b.freqField, expectedText(b.frequency, image[at + 1]));
        expectText(b.gainField, expectedText(Shown::Gain, image[at + 2]));
        expectText(b.qField, expectedText(Shown::Q, image[at + 3]));
        expectPosition(b.gainSlider, expectedGainPosition(image[at + 2]));
        auto* button = control<QPushButton>(p.byId, b.typeButton);
        const std::string caption = button ? button->text().toStdString() : std::string("<no button>");
        const std::string before = i < p.captionsBefore.size() ? p.captionsBefore[i] : std::string();
        if (caption != expectedCaption(image[at], before))
            findings.add(where(), std::string(p.rules->name) + " type button " + std::to_string(b.typeButton)
                                      + " reads " + quoted(caption) + " for type " + std::to_string(image[at]));
    }
}

// ---- Operating the controls

void SweepRig::operateAll(unsigned variant, std::size_t swept, Findings& findings, const Where& where)
{
    for (const Page& p : pages_)
        operatePage(p, variant, swept, findings, where);
}

void SweepRig::operatePage(const Page& p, unsigned variant, std::size_t swept, Findings& findings, const Where& where)
{
    const std::vector<Operable> operables = operablesOf(*p.rules);
    for (std::size_t i = 0; i < operables.size(); ++i) {
        const Operable& c = operables[i];
        const unsigned n = variant + static_cast<unsigned>(i);
        const bool up = n % 2 == 0;
        act(p, {c, up, kTyped[n % kTyped.size()]}, findings, where);
        // The controls of the swept byte go both ways from the value under test.
        const bool stepped = c.kind == Kind::Slider || c.kind == Kind::Spin;
        if (stepped && within(swept, resolve(image_.bytes(), c.byte), c.size))
            act(p, {c, !up, nullptr}, findings, where);
    }
}

namespace {

void perform(QWidget* w, Kind kind, bool up, const char* typed)
{
    switch (kind) {
    case Kind::Slider: {
        auto* s = static_cast<QSlider*>(w);
        const int step = up ? 1 : -1;  // the value grows upward
        const int target = s->value() + step;
        s->setValue(target < s->minimum() || target > s->maximum() ? s->value() - step : target);
        break;
    }
    case Kind::Spin: up ? static_cast<SpinArrows*>(w)->stepUp() : static_cast<SpinArrows*>(w)->stepDown(); break;
    case Kind::TypeButton: static_cast<QPushButton*>(w)->click(); break;
    case Kind::FrequencyField: {
        auto* edit = static_cast<FrequencyEdit*>(w);
        if (typed)
            edit->setText(QString::fromLatin1(typed));
        emit edit->focusLost();
        break;
    }
    }
}

// Bytes a page rule may change beside the control's own field.
bool coupledByte(Coupling coupling, int templateId, std::size_t offset)
{
    switch (coupling) {
    case Coupling::None: return false;
    case Coupling::MicBand: return within(offset, 73, 8);
    case Coupling::MicInputGain: return offset == 61 || offset == 62;
    case Coupling::MicLink: return within(offset, 73, 8) || offset == 61 || offset == 62;
    case Coupling::MaxLevel: return offset == mainLevelOf(templateId);
    }
    return false;
}

// What the coupling must have done; empty when it holds.
std::string couplingFault(Coupling coupling, int templateId, bool up, std::size_t own, const ImageBytes& before,
                          const ImageBytes& after)
{
    const bool bandsEqual = std::equal(after.begin() + 73, after.begin() + 77, after.begin() + 77);
    switch (coupling) {
    case Coupling::MicBand:
        return after[72] == 1 && !bandsEqual ? "linked microphone bands differ" : "";
    case Coupling::MicInputGain:
        return after[72] == 1 && after[61] != after[62] ? "linked input gains differ" : "";
    case Coupling::MicLink:
        return before[72] == 0 && after[72] == 1 && (!bandsEqual || after[61] != after[62])
                   ? "switching the link on did not copy microphone 1"
                   : "";
    case Coupling::MaxLevel: {
        const std::size_t main = mainLevelOf(templateId);
        const bool kept = after[main] == before[main];
        const bool pulled = !up && before[main] > after[own] && after[main] == after[own];
        return kept || pulled ? "" : "the main level moved to " + std::to_string(after[main]);
    }
    case Coupling::None: break;
    }
    return "";
}

// The values a sent command carries, read back from its text without the model's help: a band
// command ends in the band's four bytes "%03d" each, a value command in its byte.
std::string carriedValuesFault(const std::string& sent, std::size_t first, std::size_t size, const ImageBytes& image)
{
    char tail[32];
    if (size == 4)
        std::snprintf(tail, sizeof tail, "%03d%03d%03d%03d)", image[first], image[first + 1], image[first + 2],
                      image[first + 3]);
    else if (first == 2)  // display contrast: the digit is the value
        std::snprintf(tail, sizeof tail, "(01T%d)", image[first]);
    else if (first == 3)  // panel lock
        std::snprintf(tail, sizeof tail, "%s", image[first] == 0 ? "(01CE)" : "(01CD)");
    else if (first == 67)  // the feedback mode is padded with blanks
        std::snprintf(tail, sizeof tail, "%3d)", image[first]);
    else
        std::snprintf(tail, sizeof tail, "%03d)", image[first]);
    return std::string_view(sent).ends_with(tail) ? "" : "carries other values than the image's " + quoted(tail);
}

}  // namespace

void SweepRig::act(const Page& p, const Action& a, Findings& findings, const Where& where)
{
    QWidget* w = control<QWidget>(p.byId, a.control.id);
    const std::string what = std::string(p.rules->name) + " control " + std::to_string(a.control.id)
                             + (a.control.kind == Kind::Slider || a.control.kind == Kind::Spin ? (a.up ? " up" : " down") : "");
    if (!w) {
        findings.add(where(), what + ": no such control");
        return;
    }
    if (!w->isEnabled())
        return;  // a user cannot operate it either
    ++actions_;
    const ImageBytes before = image_.bytes();
    const std::size_t sentBefore = channel_.sent.size();
    const std::size_t first = resolve(before, a.control.byte);
    perform(w, a.control.kind, a.up, a.typed);
    const ImageBytes& after = image_.bytes();
    const std::vector<std::string> sent(channel_.sent.begin() + static_cast<std::ptrdiff_t>(sentBefore), channel_.sent.end());

    int fieldChange = 0;
    for (std::size_t k = first; k < first + a.control.size; ++k)
        fieldChange += std::abs(after[k] - before[k]);
    const auto expected = commandForOffset(image_, first);
    const bool mustSend = a.control.kind == Kind::Slider ? fieldChange != 0 : expected.has_value();
    if (mustSend && (sent.size() != 1 || !expected || sent[0] != *expected))
        findings.add(where(), what + " sent " + std::to_string(sent.size()) + " command(s), first "
                                  + quoted(sent.empty() ? "" : sent[0]) + ", expected " + quoted(expected.value_or("")));
    if (sent.size() == 1)
        if (const std::string fault = carriedValuesFault(sent[0], first, a.control.size, after); !fault.empty())
            findings.add(where(), what + " sent " + quoted(sent[0]) + ", which " + fault);
    if (!mustSend && !sent.empty())
        findings.add(where(), what + " sent " + quoted(sent[0]) + " though it must send nothing");
    if (a.control.kind == Kind::Spin && fieldChange > 1)
        findings.add(where(), what + " moved its byte by more than one step");

    const Coupling coupling = couplingOf(p.rules->templateId, a.control.id);
    for (std::size_t k = 0; k < kImageSize; ++k)
        if (after[k] != before[k] && !within(k, first, a.control.size) && !coupledByte(coupling, p.rules->templateId, k))
            findings.add(where(), what + " changed byte " + std::to_string(k) + " outside its field");
    if (const std::string fault = couplingFault(coupling, p.rules->templateId, a.up, first, before, after); !fault.empty())
        findings.add(where(), what + ": " + fault);
    if (a.control.kind == Kind::TypeButton && (after[first] == 0 || after[first] == 2 || after[first] > 5))
        findings.add(where(), what + " wrote type " + std::to_string(after[first]));
    if (a.control.kind == Kind::FrequencyField && (after[first + 1] < 1 || after[first + 1] > 121))
        findings.add(where(), what + " wrote frequency index " + std::to_string(after[first + 1]));
}

}  // namespace tonel::testing
