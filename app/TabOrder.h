#pragma once
// The order in which Tab visits a page's controls: group box by group box, and inside a group
// row by row, left to right, the way the page reads.

#include <QWidget>

#include <vector>

namespace tonel {

// The direct children of `container` that Tab should reach, in reading order. A read-only field
// is nothing to type into: it is left out and keeps its click focus only.
std::vector<QWidget*> readingOrder(QWidget* container);

}  // namespace tonel
