#pragma once
// The parameter listings of show, diff and names, as aligned text or as one JSON document.

#include "model/ParameterImage.h"

#include <ostream>
#include <string>

namespace tonel::ctl {

void printImage(std::ostream& out, const ParameterImage& image, bool json);
// Returns how many parameters differ.
int printDifferences(std::ostream& out, const ParameterImage& a, const ParameterImage& b, bool json);
// The parameters whose names match the glob `pattern` ("room.eq3.*"; empty: all); returns how many.
int printNames(std::ostream& out, bool json, const std::string& pattern = {});

}  // namespace tonel::ctl
