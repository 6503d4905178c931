#pragma once
// The command line: tonel [--demo] [--fleet FILE] [--port PORT]... [FILE.cfg], a port being a tty
// path, tcp://HOST:PORT, rfc2217://HOST:PORT or a room of the fleet file; and Qt's own options,
// which QApplication takes first.

#include <optional>
#include <string>
#include <vector>

namespace tonel {

struct TonelOptions {
    bool demo = false;               // attach the built-in virtual processor, the only port scanned
    std::vector<std::string> ports;  // the ports to try, in order (rooms resolved); empty: the machine's serial devices
    std::string file;                // a parameter file to load at start, its name's bytes; empty: none
    bool help = false;
    bool version = false;
};

struct TonelOptionsResult {
    std::optional<TonelOptions> options;  // empty when the command line is wrong
    std::string error;                    // one line, for standard error
};

inline constexpr const char* kTonelUsage = "usage: tonel [--demo] [--fleet FILE] [--port TTY|tcp://HOST:PORT|rfc2217://HOST:PORT|ROOM]... [FILE.cfg]";

// `args` excludes the program name and Qt's own options. Names keep their bytes as given. A port
// that is a room name is looked up in the fleet file (--fleet, else $TONEL_FLEET, else the user's
// or the machine's), which is read only when one is named or needed.
TonelOptionsResult parseTonelOptions(const std::vector<std::string>& args);

// What --help and --version print.
std::string tonelHelpText();
std::string tonelVersionText();

}  // namespace tonel
