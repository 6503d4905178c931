#pragma once
// A line behind a serial device server: a TCP connection, raw or speaking the Telnet COM-PORT
// option. Opening only checks the name; the connect runs on the port's thread with a deadline.

#include "device/detail/LineTransport.h"
#include "device/detail/NameLookup.h"
#include "device/detail/TelnetComPort.h"

#include <optional>

namespace tonel::detail {

class TcpTransport : public LineTransport {
public:
    // Keepalive probes: a server that vanished without a word is noticed within about 20 s.
    static constexpr int kKeepIdleSeconds = 10;
    static constexpr int kKeepIntervalSeconds = 5;
    static constexpr int kKeepCount = 2;
    // What a purge discards at most: the bytes there when the send began, not a stream without end.
    static constexpr std::size_t kMaxPurge = 64 * 1024;
    // Telnet answers waiting for room in the socket (the port's thread sends them once it has
    // some); a peer that floods commands and never reads loses further answers, never part of one.
    static constexpr std::size_t kMaxPendingAnswers = 4096;

    TcpTransport(std::string host, std::string service, bool comPortOption, Resolver resolver = systemResolve);
    ~TcpTransport() override { closeLine(); }

    bool openLine(const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure) override;
    bool connectsLater() const override { return true; }
    bool connectLine(Clock::time_point deadline, CallFailure& failure) override;

protected:
    void purgeInputLocked() override;
    bool holdsOwnBytesLocked() const override { return !pendingAnswers_.empty(); }
    void flushOwnBytesLocked() override { answerLocked({}); }
    std::string encodeLocked(std::string_view text) override;
    std::size_t decodeLocked(std::span<std::uint8_t> bytes) override;
    long writeSomeLocked(const char* data, std::size_t size) override;
    CallFailure endOfFile() const override { return {LineFault::ClosedByServer, "read()", 0}; }

private:
    bool tryAddress(const void* address, unsigned length, int family, Clock::time_point deadline, CallFailure& failure);
    void answerLocked(const std::string& reply);

    std::string host_;
    std::string service_;
    bool comPortOption_;
    Resolver resolver_;
    std::string pendingAnswers_;  // Telnet answers the socket has not taken, a begun one first
    std::optional<telnet::ComPortClient> telnet_;  // with the COM-PORT option: sets the line up
};

}  // namespace tonel::detail
