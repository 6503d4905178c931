#include "emulator/ComPortServer.h"

#include <vector>

namespace tonel::emulator {
namespace {

using telnet::ComPortCode;
namespace control = telnet::control;

constexpr std::string_view kSignature = "tonel-emulator";

// A one-byte setting: 0 asks for the value in use, anything else sets it.
std::uint8_t settle(std::uint8_t& field, std::uint8_t requested)
{
    if (requested != 0)
        field = requested;
    return field;
}

}  // namespace

ComPortServer::ComPortServer()
    : negotiator_({telnet::kBinary, telnet::kSuppressGoAhead}, {telnet::kBinary, telnet::kComPort})
{
}

std::string ComPortServer::opening() { return negotiator_.opening(); }

std::string ComPortServer::receive(std::string_view bytes, std::string& data)
{
    std::vector<telnet::Command> commands;
    decoder_.feed(bytes, data, commands);
    std::string out;
    for (const telnet::Command& command : commands) {
        out += negotiator_.answer(command);
        if (auto message = telnet::parseComPort(command); message && !message->fromServer() && comPortEnabled())
            out += apply(*message);
    }
    return out;
}

std::string ComPortServer::apply(const telnet::ComPortMessage& request)
{
    const ComPortCode code = request.command();
    if (code == ComPortCode::SetBaudRate) {
        if (auto baud = request.baudRate()) {
            if (*baud != 0)
                line_.baud = *baud;
            return telnet::comPortBaudRate(line_.baud, true);
        }
        return {};
    }
    if (code == ComPortCode::Signature)
        return request.value.empty() ? telnet::comPortMessage(code, kSignature, true) : std::string{};
    const auto value = request.byteValue();
    if (!value)
        return {};
    switch (code) {
    case ComPortCode::SetDataSize: return telnet::comPortByte(code, settle(line_.dataSize, *value), true);
    case ComPortCode::SetParity: return telnet::comPortByte(code, settle(line_.parity, *value), true);
    case ComPortCode::SetStopSize: return telnet::comPortByte(code, settle(line_.stopSize, *value), true);
    case ComPortCode::SetControl: return telnet::comPortByte(code, applyControl(*value), true);
    case ComPortCode::SetLineStateMask:
    case ComPortCode::SetModemStateMask:
    case ComPortCode::PurgeData: return telnet::comPortByte(code, *value, true);
    default: return {};  // notifications and flow-control suspend/resume need no answer
    }
}

// The value SET-CONTROL confirms: the setting now in use for the signal or flow it named.
std::uint8_t ComPortServer::applyControl(std::uint8_t value)
{
    switch (value) {
    case 0: return line_.flowControl;
    case control::kNoFlowControl:
    case control::kXonXoff:
    case control::kHardwareFlow: return line_.flowControl = value;
    case control::kRequestBreak: return control::kBreakOff;
    case control::kRequestDtr: return line_.dtr;
    case control::kDtrOn:
    case control::kDtrOff: return line_.dtr = value;
    case control::kRequestRts: return line_.rts;
    case control::kRtsOn:
    case control::kRtsOff: return line_.rts = value;
    default: return value;  // break and inbound flow: taken as asked
    }
}

}  // namespace tonel::emulator
