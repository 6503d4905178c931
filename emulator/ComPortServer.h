#pragma once
// The device server's side of a Telnet COM-PORT connection: answers the negotiation, applies the
// client's line settings to a record (what a real server would program into its UART) and
// confirms each with the value in use.

#include "device/detail/TelnetComPort.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tonel::emulator {

// The line as the client set it; 0 means never set.
struct ComPortLine {
    std::uint32_t baud = 0;
    std::uint8_t dataSize = 0;
    std::uint8_t parity = 0;
    std::uint8_t stopSize = 0;
    std::uint8_t flowControl = 0;  // telnet::control::kNoFlowControl, kXonXoff or kHardwareFlow
    std::uint8_t rts = 0;          // telnet::control::kRtsOn or kRtsOff
    std::uint8_t dtr = 0;          // telnet::control::kDtrOn or kDtrOff
    friend bool operator==(const ComPortLine&, const ComPortLine&) = default;
};

class ComPortServer {
public:
    ComPortServer();

    // Our offers at connect time (BINARY and SGA here, BINARY and COM-PORT from the client).
    std::string opening();
    // Takes received bytes: the line data is appended to `data`; the result is what to send back.
    std::string receive(std::string_view bytes, std::string& data);
    static std::string encode(std::string_view data) { return telnet::escapeData(data); }

    bool comPortEnabled() const { return negotiator_.remoteEnabled(telnet::kComPort); }
    const ComPortLine& line() const { return line_; }

private:
    std::string apply(const telnet::ComPortMessage& request);
    std::uint8_t applyControl(std::uint8_t value);

    telnet::Negotiator negotiator_;
    telnet::Decoder decoder_;
    ComPortLine line_;
};

}  // namespace tonel::emulator
