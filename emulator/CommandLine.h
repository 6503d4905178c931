#pragma once
// The tonel-emulator command line:
//   tonel-emulator [--image FILE.cfg] [--device PATH | --listen [HOST:]PORT [--rfc2217]
//                  [--idle-timeout SECONDS]] [--pace] [--hello-reply TEXT] [--ack-reply TEXT]
//                  [--q-count N] [--q-truncate N] [--silent] [--reply-delay-ms N] [--trailing TEXT]
//   tonel-emulator --help

#include "emulator/DeviceModel.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>

namespace tonel::emulator {

struct EmulatorOptions {
    std::string imagePath;   // empty: the default image
    std::string devicePath;  // empty: a new pseudo-terminal
    std::string listenAddress;  // "[HOST:]PORT": serve TCP instead of a terminal
    bool rfc2217 = false;       // speak Telnet with the COM-PORT option on that port
    bool paced = false;         // replies at the real line's speed
    std::chrono::seconds idleTimeout{60};  // a TCP client silent this long is dropped
    DeviceFaults faults;
};

struct CommandLineResult {
    std::optional<EmulatorOptions> options;  // nothing when the line is wrong or help was asked for
    std::string error;
    bool helpRequested = false;  // --help or -h: print the usage and stop
};

// The arguments after the program name.
CommandLineResult parseCommandLine(std::span<const std::string> args);
std::string usageText();

// A frame as one printable line: control characters become \r, \n or \xNN.
std::string printable(const std::string& text);

}  // namespace tonel::emulator
