#pragma once
// tonelctl's command line: the subcommands, their options and the help text.

#include <ostream>
#include <string>
#include <vector>

namespace tonel::ctl {

// Runs tonelctl with `args` (without the program name); returns the exit code.
int runTonelctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tonel::ctl
