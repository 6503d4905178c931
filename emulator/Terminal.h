#pragma once
// The emulator's end of a line: a fresh pseudo-terminal or an existing serial device, raw.

#include <string>

namespace tonel::emulator {

struct TerminalEnds {
    int device = -1;    // where the emulator reads and writes (a pseudo-terminal's master side)
    int terminal = -1;  // a pseudo-terminal's other side, held open so the line stays up between
                        // the controller's sessions; -1 for an existing device
    std::string path;   // what the controller opens
};

// A pseudo-terminal with both sides raw: openpty() starts cooked (echo, line editing), which
// would echo every frame back and hold bytes until a newline.
bool openRawPseudoTerminal(TerminalEnds& ends);

// An existing device, raw at 38400 baud 8N1 without flow control.
bool openRawDevice(const std::string& path, TerminalEnds& ends);

void closeTerminal(TerminalEnds& ends);

}  // namespace tonel::emulator
