#pragma once
// tonelctl's command line: the subcommands, their options and the help text.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tonel::ctl {

// Which standard streams are terminals: no binary image is read from or written to one.
struct Terminals {
    bool in = false;
    bool out = false;
};

// Runs tonelctl with `args` (without the program name); returns the exit code. "-" as a file is
// `in` or `out`; without `in`, standard input is empty.
int runTonelctl(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                Terminals terminals);
int runTonelctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tonel::ctl
