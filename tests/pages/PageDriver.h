#pragma once
// Operates a page's controls by control id the way a user does, for widget tests.

#include "controls/FrequencyEdit.h"
#include "controls/SpinArrows.h"
#include "eq/EqGraphView.h"
#include "pages/BoundPage.h"
#include "res/PageTemplate.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QString>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tonel::testing {

class PageDriver {
public:
    explicit PageDriver(BoundPage& page) : page_(page) {}

    template <class T = QWidget>
    T* find(int id) const
    {
        auto* w = page_.findChild<T*>(QString::number(id), Qt::FindDirectChildrenOnly);
        if (!w)
            throw std::runtime_error("no control " + std::to_string(id));
        return w;
    }

    QString text(int id) const { return find<QLineEdit>(id)->text(); }
    bool enabled(int id) const { return find<QWidget>(id)->isEnabled(); }
    QString caption(int id) const { return find<QPushButton>(id)->text(); }

    // Slider position counted from the top, as the page sees it.
    int position(int sliderId) const
    {
        auto* s = find<QSlider>(sliderId);
        return s->maximum() - s->value();
    }
    void moveSlider(int sliderId, int position) const
    {
        auto* s = find<QSlider>(sliderId);
        s->setValue(s->maximum() - position);
    }
    void releaseSlider(int sliderId) const { emit find<QSlider>(sliderId)->sliderReleased(); }

    void spinUp(int spinId) const { find<SpinArrows>(spinId)->stepUp(); }
    void spinDown(int spinId) const { find<SpinArrows>(spinId)->stepDown(); }
    void click(int buttonId) const { find<QPushButton>(buttonId)->click(); }

    // Types into a frequency field and leaves it.
    void typeFrequency(int fieldId, const QString& text) const
    {
        auto* edit = find<FrequencyEdit>(fieldId);
        edit->setText(text);
        emit edit->focusLost();
    }

    int redraws() const { return find<EqGraphView>(res::GraphFrame)->redrawCount(); }

    // Mouse moves without a button over a grid across the page, shown for this, each delivered as
    // Qt does: to the widget under the pointer. Returns the class of each widget a move met.
    QStringList moveMouseAcrossThePage() const
    {
        page_.show();
        QStringList met;
        const int step = 48;
        for (int y = step / 2; y < page_.height(); y += step)
            for (int x = step / 2; x < page_.width(); x += step) {
                QWidget* under = page_.childAt(x, y);
                QWidget* target = under != nullptr ? under : &page_;
                const QPointF local = target->mapFrom(&page_, QPointF(x, y));
                QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(target, &move);
                met << QString::fromLatin1(target->metaObject()->className());
            }
        return met;
    }

private:
    BoundPage& page_;
};

}  // namespace tonel::testing
