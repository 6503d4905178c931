#pragma once
// A value field above a slider: shows a number, never takes the keyboard focus (the focus goes to
// the main view instead, so a frequency field being edited still loses it and commits).

#include <QLineEdit>

namespace tonel {

class DisplayField : public QLineEdit {
    Q_OBJECT
public:
    explicit DisplayField(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace tonel
