#pragma once
// Operates a page's controls as a user would: every control once, or random ones for a burst.

#include <QWidget>
#include <random>
#include <vector>

namespace tonel::testing {

struct Operable {
    enum class Kind { Slider, Spin, TypeButton, TextField };
    QWidget* widget;
    Kind kind;
};

// The page's sliders, spins, type buttons and frequency fields, in template order.
std::vector<Operable> operableControls(QWidget* page);

// One action on the control: a slider moves one step (`variant` picks the direction), a spin
// clicks up or down, a type button clicks, a frequency field gets a typed frequency and loses the
// focus. Disabled controls are left alone, as a user would have to. True when it acted.
bool operate(const Operable& control, unsigned variant);

// Every enabled control of the page once, the directions alternating.
void operateEveryControl(QWidget* page, unsigned firstVariant = 0);

}  // namespace tonel::testing
