// tonelctl: the processors from the command line, one or many at once.

#include "tools/tonelctl/CommandLine.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);  // a network line that drops must not end the program
    const tonel::ctl::Terminals terminals{::isatty(STDIN_FILENO) == 1, ::isatty(STDOUT_FILENO) == 1};
    return tonel::ctl::runTonelctl(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr,
                                   terminals);
}
