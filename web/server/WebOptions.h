#pragma once
// tonel-web's command line.

#include "device/Fleet.h"

#include <optional>
#include <string>
#include <vector>

namespace tonel::web {

struct WebOptions {
    std::string host = "127.0.0.1";
    std::string port = "8380";
    std::vector<FleetEntry> processors;
    std::optional<std::string> token;  // required unless listening on loopback
    std::string panelFolder;
};

// The options, or `exitCode` and what to print: 0 with the help or version on standard output,
// 2 with the reason on standard error.
struct ParsedWebOptions {
    std::optional<WebOptions> options;
    int exitCode = 0;
    std::string text;
};
ParsedWebOptions parseWebOptions(int argc, const char* const* argv);

}  // namespace tonel::web
