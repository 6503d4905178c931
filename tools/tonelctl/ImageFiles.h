#pragma once
// Parameter files for tonelctl: loaded and saved with reasons an operator can act on.

#include "model/ParameterImage.h"

#include <string>

namespace tonel::ctl {

// Empty on success; otherwise "FILE: reason" ("file is 187 bytes, not 188", "a folder, not a file").
std::string loadImageFile(const std::string& path, ParameterImage& image);
// Replaces the file as a whole: a failure leaves the previous file (or none) in place.
std::string saveImageFile(const std::string& path, const ParameterImage& image);

bool isFolder(const std::string& path);
bool exists(const std::string& path);

}  // namespace tonel::ctl
