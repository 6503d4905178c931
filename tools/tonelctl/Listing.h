#pragma once
// The parameter listings of show, diff and names, as aligned text or as one JSON document.

#include "model/ParameterImage.h"

#include <ostream>

namespace tonel::ctl {

void printImage(std::ostream& out, const ParameterImage& image, bool json);
// Returns how many parameters differ.
int printDifferences(std::ostream& out, const ParameterImage& a, const ParameterImage& b, bool json);
void printNames(std::ostream& out, bool json);

}  // namespace tonel::ctl
