#include "pages/BoundPage.h"

#include "controls/FrequencyEdit.h"
#include "controls/SpinArrows.h"
#include "eq/EqGraphView.h"
#include "model/Fields.h"
#include "model/ParameterCommands.h"
#include "model/ParameterSetting.h"
#include "pages/FieldFont.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <stdexcept>

namespace tonel {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// Controls of a band whose enabling follows its type (the type button is handled apart).
struct BandEnabling {
    bool gain;
    bool frequency;
    bool q;
};

BandEnabling fullSetEnabling(int type)
{
    switch (type) {
    case ByPass: return {false, false, false};
    case BandPass: return {false, true, true};
    case HiShelf:
    case LoShelf: return {true, true, false};
    case Notch: return {false, true, true};
    default: return {true, true, true};  // Peaking, and codes without a name
    }
}

// Page Up / Page Down step a spin with a long range ten clicks at a time.
int pageStepFor(int min, int max) { return max - min > 20 ? 10 : 0; }

}  // namespace

BoundPage::BoundPage(PageContext context, const res::PageTemplate& layout, QWidget* parent)
    : Page(context, layout.id, parent)
{
    controls_.build(layout, this);
    controls_.graph()->setCurveSource([this] { return curves(); });
}

// ---- Declaring the tables

void BoundPage::bindLevels(std::vector<LevelBinding> levels)
{
    levels_ = std::move(levels);
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        QSlider* slider = controls_.slider(levels_[i].sliderId);
        slider->setRange(0, levels_[i].max);
        connect(slider, &QSlider::valueChanged, this, [this, i] { onLevelMoved(levels_[i]); });
        connect(slider, &QSlider::sliderReleased, this, [this, i] { onLevelMoved(levels_[i]); });
    }
}

void BoundPage::bindSpins(std::vector<SpinBinding> spins)
{
    spins_ = std::move(spins);
    for (std::size_t i = 0; i < spins_.size(); ++i) {
        SpinArrows* spin = controls_.spin(spins_[i].spinId);
        spin->setPageStep(pageStepFor(spins_[i].min, spins_[i].max));
        connect(spin, &SpinArrows::stepped, this, [this, i](SpinDirection direction) { onSpin(spins_[i], direction); });
    }
}

void BoundPage::bindBands(std::vector<BandBinding> bands)
{
    bands_ = std::move(bands);
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const BandBinding& b = bands_[i];
        QSlider* gain = controls_.slider(b.ids.gainSlider);
        gain->setRange(0, 24);
        connect(gain, &QSlider::valueChanged, this, [this, i] { onGainMoved(bands_[i]); });
        connect(gain, &QSlider::sliderReleased, this, [this, i] { onGainMoved(bands_[i]); });
        controls_.spin(b.ids.freqSpin)->setPageStep(pageStepFor(b.freqMin, b.freqMax));
        controls_.spin(b.ids.qSpin)->setPageStep(pageStepFor(b.qMin, b.qMax));
        connect(controls_.spin(b.ids.freqSpin), &SpinArrows::stepped, this,
                [this, i](SpinDirection direction) { onFrequencySpin(bands_[i], direction); });
        connect(controls_.spin(b.ids.qSpin), &SpinArrows::stepped, this,
                [this, i](SpinDirection direction) { onQSpin(bands_[i], direction); });
        connect(controls_.button(b.ids.typeButton), &QPushButton::clicked, this,
                [this, i] { onTypeClicked(bands_[i]); });
        connect(controls_.frequencyEdit(b.ids.freqField), &FrequencyEdit::focusLost, this,
                [this, i] { onFrequencyTyped(bands_[i]); });
    }
}

const LevelBinding& BoundPage::level(int sliderId) const
{
    for (const auto& l : levels_)
        if (l.sliderId == sliderId)
            return l;
    throw std::out_of_range("no level slider " + std::to_string(sliderId));
}

const BandBinding& BoundPage::band(int typeButtonId) const
{
    for (const auto& b : bands_)
        if (b.ids.typeButton == typeButtonId)
            return b;
    throw std::out_of_range("no band " + std::to_string(typeButtonId));
}

void BoundPage::fitBandFieldFonts()
{
    if (bands_.empty())
        return;
    const QFont font = fontFitting(*controls_.field(bands_.front().ids.freqField), pageFrequencyTexts());
    for (const BandBinding& b : bands_) {
        controls_.field(b.ids.freqField)->setFont(font);
        controls_.field(b.ids.qField)->setFont(font);
    }
}

std::vector<EqCurve> BoundPage::curvesOf(GraphPage page) const
{
    std::vector<EqCurve> curves;
    for (const PageCurve& described : pageCurves(page)) {
        EqCurve curve;  // the defaults are the shared handle placement and x shift
        for (const std::string& band : described.bands)
            curve.bands.push_back(bandNamed(image(), band));
        curve.colour = QColor(described.colour.red, described.colour.green, described.colour.blue, 255);
        for (const std::string& label : described.labels)
            curve.labels.push_back(QString::fromStdString(label));
        curves.push_back(std::move(curve));
    }
    return curves;
}

// ---- Page operations

void BoundPage::refreshFromImage()
{
    for (const auto& b : bands_)
        refreshBand(b);
    for (const auto& l : levels_)
        refreshLevel(l);
    for (const auto& s : spins_)
        refreshSpin(s);
}

void BoundPage::redrawGraph() { controls_.graph()->redraw(); }

void BoundPage::applyControlMode()
{
    if (image().get(fields::global::controlMode) != 0) {
        refreshFromImage();
        return;
    }
    for (const auto& b : bands_)
        applyEasySet(b);
}

void BoundPage::sendParameterCommand(std::size_t offset)
{
    if (!context_.channel.connected())
        return;
    if (auto command = commandForOffset(image(), offset))
        context_.channel.write(*command);
}

// ---- Sliders

// The page counts a slider's position from the top; a QSlider's value grows upward.
int BoundPage::sliderPosition(int sliderId) const
{
    const QSlider* s = controls_.slider(sliderId);
    return s->maximum() - s->value();
}

void BoundPage::setSliderPosition(int sliderId, int position)
{
    QSlider* s = controls_.slider(sliderId);
    const QSignalBlocker quiet(s);
    s->setValue(s->maximum() - position);
}

void BoundPage::refreshLevel(const LevelBinding& l)
{
    const int byte = image().get(l.byte.resolve(image()));
    setSliderPosition(l.sliderId, levelToPosition(byte, l.max));
    controls_.field(l.fieldId)->setText(QString::number(byte));
}

void BoundPage::onLevelMoved(const LevelBinding& l)
{
    const std::size_t offset = l.byte.resolve(image());
    const int wanted = positionToLevel(sliderPosition(l.sliderId), l.max);
    const int current = image().get(offset);
    if (wanted == current)
        return;  // thumb release and end of scroll land here
    if (auto bound = maxLevelBounding(offset); bound && wanted > image().get(*bound)) {
        setSliderPosition(l.sliderId, levelToPosition(current, l.max));
        return;
    }
    image().set(offset, static_cast<std::uint8_t>(wanted));
    controls_.field(l.fieldId)->setText(QString::number(wanted));
    if (l.afterMove)
        l.afterMove();
    sendParameterCommand(offset);
}

void BoundPage::refreshLevelAt(std::size_t offset)
{
    for (const auto& l : levels_)
        if (l.byte.resolve(image()) == offset)
            refreshLevel(l);
}

// ---- Spins

void BoundPage::refreshSpin(const SpinBinding& s)
{
    const int byte = image().get(s.byte.resolve(image()));
    for (const auto& r : s.readouts)
        if (auto t = r.text(byte, SpinArrow::None, false))
            controls_.field(r.fieldId)->setText(text(*t));
}

void BoundPage::onSpin(const SpinBinding& s, SpinDirection direction)
{
    const std::size_t offset = s.byte.resolve(image());
    const bool upArrow = direction == SpinDirection::Up;
    const bool raise = s.reversed ? !upArrow : upArrow;
    int byte = image().get(offset);
    bool changed = false;
    if (s.keepsStrayBytes && (byte < s.min || byte > s.max)) {
        // left as it is; the readouts and the command still follow
    } else if (raise && byte < s.max) {
        ++byte;
        changed = true;
    } else if (!raise && byte > s.min) {
        --byte;
        changed = true;
    }
    image().set(offset, static_cast<std::uint8_t>(byte));
    const SpinArrow arrow = upArrow ? SpinArrow::Up : SpinArrow::Down;
    for (const auto& r : s.readouts)
        if (auto t = r.text(byte, arrow, changed))
            controls_.field(r.fieldId)->setText(text(*t));
    // A maximum level's down arrow pulls its main level down (even at the bottom, for a level a
    // file left above it); the up arrow leaves such a level alone.
    if (arrow == SpinArrow::Down)
        if (auto main = pullMainLevelDown(image(), offset))
            refreshLevelAt(*main);
    lastStepChanged_ = changed;
    if (s.afterStep)
        s.afterStep(arrow);
    sendParameterCommand(offset);
}

// ---- Bands

void BoundPage::refreshBand(const BandBinding& b)
{
    const EqBand band = image().band(b.band.resolve(image()));
    controls_.field(b.ids.freqField)->setText(text(formatFrequencyAs(band.freqIndex, b.frequencyTexts.refresh)));
    controls_.field(b.ids.qField)->setText(text(formatQ(band.qIndex)));
    controls_.field(b.ids.gainField)->setText(text(formatGain(band.gain)));
    setSliderPosition(b.ids.gainSlider, gainToSliderPosition(band.gain));
    controls_.button(b.ids.typeButton)->setEnabled(true);
    for (int id : {b.ids.gainField, b.ids.gainSlider, b.ids.freqField, b.ids.qField})
        controls_.widget(id)->setEnabled(true);
    applyFullSetEnabling(b);
}

void BoundPage::applyFullSetEnabling(const BandBinding& b)
{
    const int type = image().get(b.band.resolve(image()));
    const std::string_view name = filterTypeName(type);
    if (!name.empty())
        controls_.button(b.ids.typeButton)->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    const BandEnabling e = fullSetEnabling(type);
    controls_.widget(b.ids.gainField)->setEnabled(e.gain);
    controls_.widget(b.ids.gainSlider)->setEnabled(e.gain);
    controls_.widget(b.ids.freqField)->setEnabled(e.frequency);
    controls_.widget(b.ids.qField)->setEnabled(e.q);
}

void BoundPage::applyEasySet(const BandBinding& b)
{
    for (int id : {b.ids.typeButton, b.ids.freqField, b.ids.qField})
        controls_.widget(id)->setEnabled(false);
    const int type = image().get(b.band.resolve(image()));
    const bool gain = type != BandPass && type != Notch;
    controls_.widget(b.ids.gainField)->setEnabled(gain);
    controls_.widget(b.ids.gainSlider)->setEnabled(gain);
}

void BoundPage::bandChanged(const BandBinding& b)
{
    afterBandChange(b);
    redrawGraph();
    sendParameterCommand(b.band.resolve(image()));
}

void BoundPage::onGainMoved(const BandBinding& b)
{
    const std::size_t offset = b.band.resolve(image()) + 2;
    const int p = sliderPosition(b.ids.gainSlider);
    if (2 * p == 48 - image().get(offset))
        return;  // compared exactly: an odd gain from a file never compares equal
    image().set(offset, static_cast<std::uint8_t>(sliderPositionToGain(p)));
    controls_.field(b.ids.gainField)->setText(text(formatGain(sliderPositionToGain(p))));
    bandChanged(b);
}

void BoundPage::onFrequencySpin(const BandBinding& b, SpinDirection direction)
{
    const std::size_t offset = b.band.resolve(image()) + 1;
    int index = image().get(offset);
    const bool up = direction == SpinDirection::Up;
    if (up && index < b.freqMax)
        ++index;
    else if (!up && index > b.freqMin)
        --index;
    image().set(offset, static_cast<std::uint8_t>(index));
    const FrequencyFormat& format = up ? b.frequencyTexts.up : b.frequencyTexts.down;
    controls_.field(b.ids.freqField)->setText(text(formatFrequencyAs(index, format)));
    bandChanged(b);
}

void BoundPage::onQSpin(const BandBinding& b, SpinDirection direction)
{
    const std::size_t offset = b.band.resolve(image()) + 3;
    int index = image().get(offset);
    const bool up = direction == SpinDirection::Up;
    if (up && index < b.qMax)
        ++index;
    else if (!up && index > b.qMin)
        --index;
    image().set(offset, static_cast<std::uint8_t>(index));
    controls_.field(b.ids.qField)->setText(text(formatQ(index)));
    bandChanged(b);
}

void BoundPage::onTypeClicked(const BandBinding& b)
{
    for (int id : {b.ids.gainField, b.ids.gainSlider, b.ids.freqField, b.ids.qField})
        controls_.widget(id)->setEnabled(true);
    const std::size_t offset = b.band.resolve(image());
    image().set(offset, static_cast<std::uint8_t>(nextFilterType(image().get(offset))));
    applyFullSetEnabling(b);
    bandChanged(b);
}

void BoundPage::onFrequencyTyped(const BandBinding& b)
{
    const std::size_t offset = b.band.resolve(image()) + 1;
    QLineEdit* field = controls_.field(b.ids.freqField);
    const int index = parseFrequencyText(field->text().toStdString());
    image().set(offset, static_cast<std::uint8_t>(index));
    field->setText(text(formatFrequencyAs(index, b.frequencyTexts.entered)));
    bandChanged(b);
}

// ---- Mouse moves

void BoundPage::redrawGraphOnEveryMouseMove()
{
    redrawsOnMouseMoves_ = true;
    // A widget without mouse tracking drops moves made without a button, and they never reach
    // the page: every child tracks, and the page watches them all.
    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
}

bool BoundPage::eventFilter(QObject* watched, QEvent* event)
{
    if (redrawsOnMouseMoves_ && event->type() == QEvent::MouseMove && watched->isWidgetType()) {
        // A move a control leaves unhandled travels on to its parents: redraw only for the
        // widget the pointer is over, once per move.
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint onPage = widget->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
        QWidget* under = childAt(onPage);
        if ((under != nullptr ? under : this) == widget)
            redrawGraph();
    }
    return Page::eventFilter(watched, event);
}

}  // namespace tonel
