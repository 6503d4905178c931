#pragma once
// Modal message boxes as the logic asks for them; tests record them instead.

#include "app/session/SessionPresenter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tonel {

enum class CloseChoice { Save, CloseAnyway, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns when the user has closed it.
    virtual void show(const QString& text, const QString& caption, MessageIcon icon) = 0;
    // The window is closing with edits that are neither saved nor stored on the device. Boxes
    // that cannot ask anyone keep the window, and so the edits.
    virtual CloseChoice askBeforeClosingWithEdits(const QString& /*caption*/) { return CloseChoice::Cancel; }
};

class QtMessageBoxes : public MessageBoxes {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text, const QString& caption, MessageIcon icon) override;
    CloseChoice askBeforeClosingWithEdits(const QString& caption) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tonel
