#pragma once
// Modal message boxes as the logic asks for them; tests record them instead.

#include "app/session/SessionPresenter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tonel {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns when the user has closed it.
    virtual void show(const QString& text, const QString& caption, MessageIcon icon) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text, const QString& caption, MessageIcon icon) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tonel
