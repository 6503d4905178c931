#pragma once
// Telnet with the COM-PORT option (RFC 2217): how a serial device server (ser2net in
// "telnet(rfc2217)" mode, hardware converters) carries a serial line over TCP and lets the client
// set the line. The data stream escapes the byte 255 as 255 255; commands start with 255 (IAC).
// Pure byte codec, no I/O: the client port and the virtual processor's server share it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonel::telnet {

// Telnet command bytes (RFC 854).
inline constexpr std::uint8_t kIac = 255;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kSb = 250;  // subnegotiation begins
inline constexpr std::uint8_t kSe = 240;  // subnegotiation ends

// Options we take part in.
inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kEcho = 1;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPort = 44;

// COM-PORT-OPTION commands from the client; the server answers with the same code + 100.
enum class ComPortCode : std::uint8_t {
    Signature = 0,
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    SetControl = 5,
    NotifyLineState = 6,
    NotifyModemState = 7,
    FlowControlSuspend = 8,
    FlowControlResume = 9,
    SetLineStateMask = 10,
    SetModemStateMask = 11,
    PurgeData = 12,
};
inline constexpr std::uint8_t kServerCodeOffset = 100;

// Values of SET-PARITY, SET-STOPSIZE and SET-CONTROL (0 asks for the value in use).
namespace parity { inline constexpr std::uint8_t kNone = 1, kOdd = 2, kEven = 3, kMark = 4, kSpace = 5; }
namespace stopsize { inline constexpr std::uint8_t kOne = 1, kTwo = 2, kOneAndHalf = 3; }
namespace control {
inline constexpr std::uint8_t kNoFlowControl = 1, kXonXoff = 2, kHardwareFlow = 3;
inline constexpr std::uint8_t kRequestBreak = 4, kBreakOn = 5, kBreakOff = 6;
inline constexpr std::uint8_t kRequestDtr = 7, kDtrOn = 8, kDtrOff = 9;
inline constexpr std::uint8_t kRequestRts = 10, kRtsOn = 11, kRtsOff = 12;
}  // namespace control

// One command taken out of the stream.
struct Command {
    enum class Kind { Negotiation, Subnegotiation, Other };
    Kind kind = Kind::Other;
    std::uint8_t verb = 0;    // WILL/WONT/DO/DONT, or the command byte of Other (NOP, BRK, ...)
    std::uint8_t option = 0;  // the option negotiated or subnegotiated
    std::string payload;      // the subnegotiation's bytes after the option, unescaped
    friend bool operator==(const Command&, const Command&) = default;
};

// Data with every 255 doubled.
std::string escapeData(std::string_view data);
// IAC verb option.
std::string negotiation(std::uint8_t verb, std::uint8_t option);
// IAC SB option payload IAC SE, 255 in the payload doubled.
std::string subnegotiation(std::uint8_t option, std::string_view payload);

// A COM-PORT-OPTION message: the code (a server reply adds 100) and its value bytes.
struct ComPortMessage {
    std::uint8_t code = 0;
    std::string value;
    bool fromServer() const { return code >= kServerCodeOffset; }
    ComPortCode command() const
    {
        return static_cast<ComPortCode>(fromServer() ? code - kServerCodeOffset : code);
    }
    // SET-BAUDRATE's four bytes, network order; nullopt for any other shape.
    std::optional<std::uint32_t> baudRate() const;
    // The single value byte of the one-byte commands.
    std::optional<std::uint8_t> byteValue() const;
    friend bool operator==(const ComPortMessage&, const ComPortMessage&) = default;
};
std::string comPortMessage(ComPortCode code, std::string_view value, bool fromServer = false);
std::string comPortByte(ComPortCode code, std::uint8_t value, bool fromServer = false);
std::string comPortBaudRate(std::uint32_t baud, bool fromServer = false);
// The COM-PORT message in a subnegotiation; nullopt for other options or an empty payload.
std::optional<ComPortMessage> parseComPort(const Command& command);

// Splits a received stream into data and commands; bytes may arrive split anywhere.
class Decoder {
public:
    // Appends the data bytes to `data` and the finished commands to `commands`.
    void feed(std::string_view bytes, std::string& data, std::vector<Command>& commands);

private:
    enum class State { Data, Iac, Verb, SbOption, SbPayload, SbIac };
    static constexpr std::size_t kMaxPayload = 256;  // longer subnegotiations are cut

    State state_ = State::Data;
    Command current_;
};

// The option state of one side of a connection (RFC 854 rules, with the "requested" mark of
// RFC 1143 so that an answer to our own request is never answered again: no negotiation loops).
class Negotiator {
public:
    // `local`: options we agree to enable on our side (WILL); `remote`: options we want the peer
    // to enable (DO). Everything else is refused.
    Negotiator(std::vector<std::uint8_t> local, std::vector<std::uint8_t> remote);

    // Our offers and requests at connect time.
    std::string opening();
    // The answer to a peer's WILL/WONT/DO/DONT; empty when none is due.
    std::string answer(const Command& negotiation);

    bool localEnabled(std::uint8_t option) const { return local_[option].enabled; }
    bool remoteEnabled(std::uint8_t option) const { return remote_[option].enabled; }
    // The peer answered our offer of `option` with a refusal.
    bool localRefused(std::uint8_t option) const { return local_[option].refused; }

private:
    struct Side {
        bool wanted = false;
        bool enabled = false;
        bool requested = false;
        bool refused = false;
    };
    static std::string turn(Side& side, bool on, std::uint8_t yes, std::uint8_t no, std::uint8_t option);

    Side local_[256];
    Side remote_[256];
};

// The line a client asks for.
struct LineRequest {
    std::uint32_t baud = 38400;
    std::uint8_t dataSize = 8;
    std::uint8_t parity = parity::kNone;
    std::uint8_t stopSize = stopsize::kOne;
    std::uint8_t flowControl = control::kNoFlowControl;
    bool rtsOn = true;
};

// The client side of a COM-PORT connection: negotiates, sets the line once the server accepted
// the option, and passes the data through. A server that refuses the option still carries data.
class ComPortClient {
public:
    explicit ComPortClient(LineRequest line = {});

    // What to send right after connecting.
    std::string opening();
    // Takes received bytes: the line data is appended to `data`; the result is what to send back
    // (negotiation answers, and the line settings once the server agreed).
    std::string receive(std::string_view bytes, std::string& data);
    // Data for the line, escaped.
    static std::string encode(std::string_view data) { return escapeData(data); }

    bool comPortAccepted() const { return negotiator_.localEnabled(kComPort); }
    bool comPortRefused() const { return negotiator_.localRefused(kComPort); }
    // Baud, data size, parity and stop size confirmed by the server with the values asked for.
    // (RTS has no confirmation to wait for: ser2net does not answer it on a line without modem
    // control.)
    bool lineConfirmed() const;
    // The server's answers so far, in arrival order.
    const std::vector<ComPortMessage>& serverReplies() const { return replies_; }
    // The settings as sent, in the recommended order (baud, data size, parity, stop size), then
    // flow control and RTS.
    std::string lineSettings() const;

private:
    LineRequest line_;
    Negotiator negotiator_;
    Decoder decoder_;
    bool settingsSent_ = false;
    std::vector<ComPortMessage> replies_;
};

}  // namespace tonel::telnet
