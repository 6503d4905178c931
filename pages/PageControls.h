#pragma once
// Builds a page's controls from its template and finds them again by control id.

#include "res/PageTemplate.h"

#include <QWidget>
#include <unordered_map>

class QLineEdit;
class QPushButton;
class QSlider;

namespace tonel {

class FrequencyEdit;
class SpinArrows;
class EqGraphView;

class PageControls {
public:
    // Creates every control of the template as a direct child of `page`, at its rectangle in
    // pixels, with its id as objectName. Decoration is created first so it lies underneath.
    void build(const res::PageTemplate& layout, QWidget* page);

    QWidget* widget(int id) const;
    QSlider* slider(int id) const;
    QLineEdit* field(int id) const;  // value fields, read-outs and filtered edits
    FrequencyEdit* frequencyEdit(int id) const;
    SpinArrows* spin(int id) const;
    QPushButton* button(int id) const;
    EqGraphView* graph() const;

private:
    QWidget* create(const res::TemplateControl& control, QWidget* page);
    std::unordered_map<int, QWidget*> byId_;
    QWidget* lastField_ = nullptr;  // a spin attaches to the field listed just before it
};

}  // namespace tonel
