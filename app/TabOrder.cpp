#include "app/TabOrder.h"

#include <QGroupBox>
#include <QLineEdit>

#include <algorithm>

namespace tonel {

namespace {

// A group box with the controls inside it, or a control that sits in no group.
struct Unit {
    QRect rect;
    std::vector<QWidget*> members;
};

// Rows: a rectangle whose middle lies below the bottom of its row's first one starts a new row.
template <class T, class RectOf>
void sortReading(std::vector<T>& items, RectOf rectOf)
{
    std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) {
        return std::make_pair(rectOf(a).top(), rectOf(a).left()) < std::make_pair(rectOf(b).top(), rectOf(b).left());
    });
    auto rowStart = items.begin();
    while (rowStart != items.end()) {
        const int rowBottom = rectOf(*rowStart).bottom();
        auto rowEnd = std::find_if(rowStart, items.end(), [&](const T& t) { return rectOf(t).center().y() > rowBottom; });
        std::stable_sort(rowStart, rowEnd, [&](const T& a, const T& b) { return rectOf(a).left() < rectOf(b).left(); });
        rowStart = rowEnd;
    }
}

// A read-only field (a value shown above a slider) leaves the round and keeps click focus only.
bool takesTab(QWidget* w)
{
    if (auto* field = qobject_cast<QLineEdit*>(w); field != nullptr && field->isReadOnly()) {
        w->setFocusPolicy(Qt::ClickFocus);
        return false;
    }
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

}  // namespace

std::vector<QWidget*> readingOrder(QWidget* container)
{
    const auto children = container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    std::vector<Unit> units;
    units.reserve(static_cast<std::size_t>(children.size()));
    for (QWidget* w : children)
        if (qobject_cast<QGroupBox*>(w) != nullptr)
            units.push_back({w->geometry(), {}});
    const std::size_t groupCount = units.size();
    for (QWidget* w : children) {
        if (qobject_cast<QGroupBox*>(w) != nullptr || !takesTab(w))
            continue;
        // The smallest group around the control's middle holds it.
        const QPoint middle = w->geometry().center();
        Unit* home = nullptr;
        for (std::size_t i = 0; i < groupCount; ++i) {
            const QRect r = units[i].rect;
            if (r.contains(middle) && (home == nullptr || r.width() * r.height() < home->rect.width() * home->rect.height()))
                home = &units[i];
        }
        if (home != nullptr)
            home->members.push_back(w);
        else
            units.push_back({w->geometry(), {w}});
    }
    sortReading(units, [](const Unit& u) { return u.rect; });
    std::vector<QWidget*> order;
    for (Unit& u : units) {
        sortReading(u.members, [](QWidget* w) { return w->geometry(); });
        order.insert(order.end(), u.members.begin(), u.members.end());
    }
    return order;
}

}  // namespace tonel
