// tonelctl: the processors from the command line, one or many at once.

#include "tools/tonelctl/CommandLine.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);  // a network line that drops must not end the program
    return tonel::ctl::runTonelctl(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
