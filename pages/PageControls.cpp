#include "pages/PageControls.h"

#include "controls/FrequencyEdit.h"
#include "controls/SpinArrows.h"
#include "eq/EqGraphView.h"
#include "pages/DisplayField.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <stdexcept>

namespace tonel {

namespace {

QRect pixels(const res::TemplateControl& c)
{
    constexpr int k = res::kPixelsPerTemplateUnit;
    return {c.x * k, c.y * k, c.w * k, c.h * k};
}

bool isDecoration(res::ControlKind kind)
{
    using K = res::ControlKind;
    return kind == K::GroupBox || kind == K::Label || kind == K::Line;
}

QString caption(const res::TemplateControl& c)
{
    return QString::fromUtf8(c.caption.data(), static_cast<qsizetype>(c.caption.size()));
}

}  // namespace

void PageControls::build(const res::PageTemplate& layout, QWidget* page)
{
    constexpr int k = res::kPixelsPerTemplateUnit;
    page->setFixedSize(layout.width * k, layout.height * k);
    for (const auto& c : layout.controls)
        if (isDecoration(c.kind))
            create(c, page);
    for (const auto& c : layout.controls)
        if (!isDecoration(c.kind))
            create(c, page);
}

QWidget* PageControls::create(const res::TemplateControl& c, QWidget* page)
{
    using K = res::ControlKind;
    QWidget* w = nullptr;
    switch (c.kind) {
    case K::Frame: w = new EqGraphView(page); break;
    case K::GroupBox: w = new QGroupBox(caption(c), page); break;
    case K::Label: w = new QLabel(caption(c), page); break;
    case K::Line: {
        auto* line = new QFrame(page);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        w = line;
        break;
    }
    case K::Slider: {
        auto* slider = new QSlider(Qt::Vertical, page);
        slider->setTickPosition(QSlider::TicksBothSides);
        // Ticks at the two ends only: one interval spans the whole range, whatever it becomes.
        QObject::connect(slider, &QSlider::rangeChanged, slider,
                         [slider](int min, int max) { slider->setTickInterval(std::max(1, max - min)); });
        slider->setTickInterval(std::max(1, slider->maximum() - slider->minimum()));
        slider->setPageStep(1);
        slider->setSingleStep(1);
        w = slider;
        break;
    }
    case K::ValueField: w = new DisplayField(page); break;
    case K::Field: w = new QLineEdit(page); break;
    case K::FrequencyField: w = new FrequencyEdit(page); break;
    case K::Button: w = new QPushButton(caption(c), page); break;
    case K::Spin: {
        if (!lastField_)
            throw std::logic_error("a spin must follow its field in the template");
        auto* spin = new SpinArrows(page);
        const QRect field = lastField_->geometry();
        lastField_->setFixedWidth(field.width() - SpinArrows::kWidth);
        spin->setGeometry(field.right() + 1 - SpinArrows::kWidth, field.top(), SpinArrows::kWidth, field.height());
        spin->setBuddy(lastField_);
        w = spin;
        break;
    }
    }
    if (c.kind != K::Spin)
        w->setGeometry(pixels(c));
    if (c.kind == K::ValueField || c.kind == K::Field || c.kind == K::FrequencyField)
        lastField_ = w;
    if (c.id >= 0) {
        w->setObjectName(QString::number(c.id));
        byId_[c.id] = w;
    }
    return w;
}

QWidget* PageControls::widget(int id) const
{
    auto it = byId_.find(id);
    if (it == byId_.end())
        throw std::out_of_range("no control " + std::to_string(id) + " on this page");
    return it->second;
}

template <class T>
static T* as(QWidget* w, int id)
{
    auto* t = qobject_cast<T*>(w);
    if (!t)
        throw std::logic_error("control " + std::to_string(id) + " is of another kind");
    return t;
}

QSlider* PageControls::slider(int id) const { return as<QSlider>(widget(id), id); }
QLineEdit* PageControls::field(int id) const { return as<QLineEdit>(widget(id), id); }
FrequencyEdit* PageControls::frequencyEdit(int id) const { return as<FrequencyEdit>(widget(id), id); }
SpinArrows* PageControls::spin(int id) const { return as<SpinArrows>(widget(id), id); }
QPushButton* PageControls::button(int id) const { return as<QPushButton>(widget(id), id); }
EqGraphView* PageControls::graph() const { return as<EqGraphView>(widget(res::GraphFrame), res::GraphFrame); }

}  // namespace tonel
