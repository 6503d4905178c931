#pragma once
// A line behind a serial device server: a TCP connection, raw or speaking the Telnet COM-PORT
// option. Opening only checks the name; the connect runs on the port's thread with a deadline.

#include "device/LineTransport.h"

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
    long writeSomeLocked(const char* data, std::size_t size) override;

private:
    bool tryAddress(const void* address, unsigned length, int family, Clock::time_point deadline, CallFailure& failure);

    std::string host_;
    std::string service_;
    bool comPortOption_;
    LineSettings settings_;
};

}  // namespace tonel::detail
