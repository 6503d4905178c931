#pragma once
// The command line: tonel [--demo] [--port DEVICE]... [FILE.cfg]

#include <optional>
#include <string>
#include <vector>

namespace tonel {

struct TonelOptions {
    bool demo = false;               // attach the built-in virtual processor, the only port scanned
    std::vector<std::string> ports;  // the serial devices to scan, in order; empty: the machine's
    std::string file;                // a parameter file to load at start; empty: none
    bool help = false;
};

struct TonelOptionsResult {
    std::optional<TonelOptions> options;  // empty when the command line is wrong
    std::string error;                    // one line, for standard error
};

inline constexpr const char* kTonelUsage = "usage: tonel [--demo] [--port DEVICE]... [FILE.cfg]";

// `args` excludes the program name.
TonelOptionsResult parseTonelOptions(const std::vector<std::string>& args);

}  // namespace tonel
