#include "ControlOperator.h"

#include "controls/FrequencyEdit.h"
#include "controls/SpinArrows.h"

#include <QPushButton>
#include <QSlider>
#include <array>

namespace tonel::testing {

std::vector<Operable> operableControls(QWidget* page)
{
    std::vector<Operable> controls;
    for (QObject* child : page->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->objectName().isEmpty())
            continue;
        if (qobject_cast<QSlider*>(w))
            controls.push_back({w, Operable::Kind::Slider});
        else if (qobject_cast<SpinArrows*>(w))
            controls.push_back({w, Operable::Kind::Spin});
        else if (qobject_cast<QPushButton*>(w))
            controls.push_back({w, Operable::Kind::TypeButton});
        else if (qobject_cast<FrequencyEdit*>(w))
            controls.push_back({w, Operable::Kind::TextField});
    }
    return controls;
}

bool operate(const Operable& control, unsigned variant)
{
    if (!control.widget->isEnabled())
        return false;
    switch (control.kind) {
    case Operable::Kind::Slider: {
        auto* s = static_cast<QSlider*>(control.widget);
        const int step = (variant % 2 == 0) ? 1 : -1;
        const int target = s->value() + step;
        s->setValue(target < s->minimum() || target > s->maximum() ? s->value() - step : target);
        return true;
    }
    case Operable::Kind::Spin: {
        auto* spin = static_cast<SpinArrows*>(control.widget);
        variant % 2 == 0 ? spin->stepUp() : spin->stepDown();
        return true;
    }
    case Operable::Kind::TypeButton:
        static_cast<QPushButton*>(control.widget)->click();
        return true;
    case Operable::Kind::TextField: {
        static constexpr std::array kTyped = {"2.5k", "100", "1k", "19000", "63", "abc", "1.5K", "20000"};
        auto* edit = static_cast<FrequencyEdit*>(control.widget);
        edit->setText(QString::fromLatin1(kTyped[variant % kTyped.size()]));
        emit edit->focusLost();
        return true;
    }
    }
    return false;
}

void operateEveryControl(QWidget* page, unsigned firstVariant)
{
    unsigned n = firstVariant;
    for (const Operable& control : operableControls(page))
        operate(control, n++);
}

}  // namespace tonel::testing
