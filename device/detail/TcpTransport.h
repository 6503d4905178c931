#pragma once
// A line behind a serial device server: a TCP connection, raw or speaking the Telnet COM-PORT
// option. Opening only checks the name; the connect runs on the port's thread with a deadline.

#include "device/detail/LineTransport.h"
#include "device/detail/TelnetComPort.h"

#include <optional>

namespace tonel::detail {

class TcpTransport : public LineTransport {
public:
    // Keepalive probes: a server that vanished without a word is noticed within about 20 s.
    static constexpr int kKeepIdleSeconds = 10;
    static constexpr int kKeepIntervalSeconds = 5;
    static constexpr int kKeepCount = 2;

    TcpTransport(std::string host, std::string service, bool comPortOption);
    ~TcpTransport() override { closeLine(); }

    bool openLine(const LineSettings& settings, std::vector<CallFailure>& reports, CallFailure& failure) override;
    bool connectsLater() const override { return true; }
    bool connectLine(Clock::time_point deadline, CallFailure& failure) override;

protected:
    void purgeInputLocked() override;
    std::string encodeLocked(std::string_view text) override;
    std::size_t decodeLocked(std::span<std::uint8_t> bytes) override;
    long writeSomeLocked(const char* data, std::size_t size) override;
    int endOfFileError() const override { return ECONNRESET; }

private:
    bool tryAddress(const void* address, unsigned length, int family, Clock::time_point deadline, CallFailure& failure);
    void answerLocked(const std::string& reply);

    std::string host_;
    std::string service_;
    bool comPortOption_;
    std::optional<telnet::ComPortClient> telnet_;  // with the COM-PORT option: sets the line up
};

}  // namespace tonel::detail
