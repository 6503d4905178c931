#pragma once
// Whether the window system can be reached at all, asked before Qt would abort without one.

#include <string>

namespace tonel {

// Empty when a display (X11 or Wayland) or an explicit Qt platform is named in the environment
// or on the command line (-platform); otherwise the one line to print, starting "no display: ".
std::string missingDisplayMessage(int argc = 0, const char* const* argv = nullptr);

}  // namespace tonel
