#include "device/detail/TelnetComPort.h"

#include <algorithm>

namespace tonel::telnet {
namespace {

char byte(std::uint8_t value) { return static_cast<char>(value); }
std::uint8_t unsignedByte(char c) { return static_cast<std::uint8_t>(c); }

}  // namespace

std::string escapeData(std::string_view data)
{
    std::string out;
    out.reserve(data.size());
    for (char c : data) {
        out += c;
        if (unsignedByte(c) == kIac)
            out += c;
    }
    return out;
}

std::string negotiation(std::uint8_t verb, std::uint8_t option)
{
    return {byte(kIac), byte(verb), byte(option)};
}

std::string subnegotiation(std::uint8_t option, std::string_view payload)
{
    std::string out = {byte(kIac), byte(kSb), byte(option)};
    out += escapeData(payload);
    out += byte(kIac);
    out += byte(kSe);
    return out;
}

std::optional<std::uint32_t> ComPortMessage::baudRate() const
{
    if (command() != ComPortCode::SetBaudRate || value.size() != 4)
        return std::nullopt;
    std::uint32_t baud = 0;
    for (char c : value)
        baud = (baud << 8) | unsignedByte(c);
    return baud;
}

std::optional<std::uint8_t> ComPortMessage::byteValue() const
{
    if (value.size() != 1)
        return std::nullopt;
    return unsignedByte(value[0]);
}

std::string comPortMessage(ComPortCode code, std::string_view value, bool fromServer)
{
    const auto raw = static_cast<std::uint8_t>(static_cast<std::uint8_t>(code) + (fromServer ? kServerCodeOffset : 0));
    std::string payload(1, byte(raw));
    payload += value;
    return subnegotiation(kComPort, payload);
}

std::string comPortByte(ComPortCode code, std::uint8_t value, bool fromServer)
{
    return comPortMessage(code, std::string(1, byte(value)), fromServer);
}

std::string comPortBaudRate(std::uint32_t baud, bool fromServer)
{
    const std::string value = {byte(static_cast<std::uint8_t>(baud >> 24)), byte(static_cast<std::uint8_t>(baud >> 16)),
                               byte(static_cast<std::uint8_t>(baud >> 8)), byte(static_cast<std::uint8_t>(baud))};
    return comPortMessage(ComPortCode::SetBaudRate, value, fromServer);
}

std::optional<ComPortMessage> parseComPort(const Command& command)
{
    if (command.kind != Command::Kind::Subnegotiation || command.option != kComPort || command.payload.empty())
        return std::nullopt;
    return ComPortMessage{unsignedByte(command.payload[0]), command.payload.substr(1)};
}

void Decoder::feed(std::string_view bytes, std::string& data, std::vector<Command>& commands)
{
    for (char c : bytes) {
        const std::uint8_t b = unsignedByte(c);
        switch (state_) {
        case State::Data:
            if (b == kIac)
                state_ = State::Iac;
            else
                data += c;
            break;
        case State::Iac:
            if (b == kIac) {  // an escaped 255 in the data
                data += c;
                state_ = State::Data;
            } else if (b >= kWill && b <= kDont) {
                current_ = Command{Command::Kind::Negotiation, b, 0, {}};
                state_ = State::Verb;
            } else if (b == kSb) {
                current_ = Command{Command::Kind::Subnegotiation, b, 0, {}};
                state_ = State::SbOption;
            } else {  // NOP, GA, BRK, a stray SE...: a command of its own
                commands.push_back(Command{Command::Kind::Other, b, 0, {}});
                state_ = State::Data;
            }
            break;
        case State::Verb:
            current_.option = b;
            commands.push_back(current_);
            state_ = State::Data;
            break;
        case State::SbOption:
            current_.option = b;
            state_ = State::SbPayload;
            break;
        case State::SbPayload:
            if (b == kIac)
                state_ = State::SbIac;
            else if (current_.payload.size() < kMaxPayload)
                current_.payload += c;
            break;
        case State::SbIac:
            if (b == kSe) {
                commands.push_back(current_);
                state_ = State::Data;
            } else {
                // IAC IAC is a 255 in the payload; anything else is a peer's mistake: keep the byte.
                if (current_.payload.size() < kMaxPayload)
                    current_.payload += c;
                state_ = State::SbPayload;
            }
            break;
        }
    }
}

Negotiator::Negotiator(std::vector<std::uint8_t> local, std::vector<std::uint8_t> remote)
{
    for (std::uint8_t option : local)
        local_[option].wanted = true;
    for (std::uint8_t option : remote)
        remote_[option].wanted = true;
}

std::string Negotiator::opening()
{
    std::string out;
    for (int option = 0; option < 256; ++option) {
        const auto o = static_cast<std::uint8_t>(option);
        if (local_[o].wanted && !local_[o].enabled && !local_[o].requested) {
            local_[o].requested = true;
            out += negotiation(kWill, o);
        }
        if (remote_[o].wanted && !remote_[o].enabled && !remote_[o].requested) {
            remote_[o].requested = true;
            out += negotiation(kDo, o);
        }
    }
    return out;
}

// The peer asks `side` to be on or off; `yes`/`no` are our verbs for that side.
std::string Negotiator::turn(Side& side, bool on, std::uint8_t yes, std::uint8_t no, std::uint8_t option)
{
    const bool wasRequested = side.requested;
    side.requested = false;
    if (on) {
        if (side.enabled)
            return {};
        if (!side.wanted) {
            side.refused = false;
            return negotiation(no, option);
        }
        side.enabled = true;
        side.refused = false;
        return wasRequested ? std::string{} : negotiation(yes, option);
    }
    if (!side.enabled) {
        side.refused = wasRequested;  // the answer to our request: no reply due
        return {};
    }
    side.enabled = false;
    return negotiation(no, option);
}

std::string Negotiator::answer(const Command& command)
{
    if (command.kind != Command::Kind::Negotiation)
        return {};
    const std::uint8_t o = command.option;
    switch (command.verb) {
    case kDo: return turn(local_[o], true, kWill, kWont, o);
    case kDont: return turn(local_[o], false, kWill, kWont, o);
    case kWill: return turn(remote_[o], true, kDo, kDont, o);
    case kWont: return turn(remote_[o], false, kDo, kDont, o);
    default: return {};
    }
}

ComPortClient::ComPortClient(LineRequest line)
    : line_(line), negotiator_({kComPort, kBinary}, {kBinary, kSuppressGoAhead})
{
}

std::string ComPortClient::opening() { return negotiator_.opening(); }

std::string ComPortClient::lineSettings() const
{
    return comPortBaudRate(line_.baud) + comPortByte(ComPortCode::SetDataSize, line_.dataSize) +
           comPortByte(ComPortCode::SetParity, line_.parity) + comPortByte(ComPortCode::SetStopSize, line_.stopSize) +
           comPortByte(ComPortCode::SetControl, line_.flowControl) +
           comPortByte(ComPortCode::SetControl, line_.rtsOn ? control::kRtsOn : control::kRtsOff);
}

std::string ComPortClient::receive(std::string_view bytes, std::string& data)
{
    std::vector<Command> commands;
    decoder_.feed(bytes, data, commands);
    std::string out;
    for (const Command& command : commands) {
        out += negotiator_.answer(command);
        if (auto message = parseComPort(command); message && message->fromServer())
            replies_.push_back(*message);
    }
    if (!settingsSent_ && negotiator_.localEnabled(kComPort)) {
        settingsSent_ = true;
        out += lineSettings();
    }
    return out;
}

bool ComPortClient::lineConfirmed() const
{
    // replies_ holds server messages only.
    auto confirmed = [this](ComPortCode code, auto matches) {
        return std::any_of(replies_.begin(), replies_.end(),
                           [&](const ComPortMessage& m) { return m.command() == code && matches(m); });
    };
    auto byteIs = [](std::uint8_t value) {
        return [value](const ComPortMessage& m) { return m.byteValue() == value; };
    };
    return confirmed(ComPortCode::SetBaudRate, [this](const ComPortMessage& m) { return m.baudRate() == line_.baud; }) &&
           confirmed(ComPortCode::SetDataSize, byteIs(line_.dataSize)) &&
           confirmed(ComPortCode::SetParity, byteIs(line_.parity)) &&
           confirmed(ComPortCode::SetStopSize, byteIs(line_.stopSize));
}

}  // namespace tonel::telnet
