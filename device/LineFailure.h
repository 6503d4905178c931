#pragma once
// What went wrong with a port: classified once, where the failure is made, from the call and its
// errno; worded by one function for every face (the panel's refusal list, tonelctl's lines).

#include <cstdint>
#include <string>

namespace tonel {

enum class LineFault : std::uint8_t {
    NotFound,          // no such device
    PermissionDenied,
    Busy,              // another program holds the device
    UnknownHost,       // the name does not resolve
    LookupTimedOut,    // the name lookup did not end by the connect deadline
    LookupFailed,      // the name servers failed (often for now)
    Refused,
    Unreachable,
    TimedOut,          // a connect or a send that did not finish in time
    LineLost,          // hung up, unplugged, reset
    ClosedByServer,    // the device server ended the connection normally
    NotASerialPort,
    Folder,
    NotAPortName,
    Unsupported,       // the port cannot take the line settings asked for
    Other,
};

// The kind of failure an errno means. EAGAIN is never Busy: a lock refusal is classified where the
// lock is tried.
LineFault faultOfErrno(int error);
// The kind of failure a getaddrinfo() code means; `systemError` is errno, read for EAI_SYSTEM.
LineFault faultOfLookup(int code, int systemError);

// A failed system call on a port, or a failure of the line itself.
struct PortError {
    PortError() = default;
    // A call whose errno tells what went wrong.
    PortError(std::string operation, int error, std::string port = {}, bool whileOpening = false)
        : fault(faultOfErrno(error)), operation(std::move(operation)), error(error), port(std::move(port)),
          whileOpening(whileOpening)
    {
    }
    PortError(LineFault fault, std::string operation, int error, std::string port = {}, bool whileOpening = false)
        : fault(fault), operation(std::move(operation)), error(error), port(std::move(port)), whileOpening(whileOpening)
    {
    }

    LineFault fault = LineFault::Other;
    std::string operation;  // the call, Linux-style: "open()", "read()", "tcdrain()", "connect()"
    int error = 0;          // errno; 0 when no errno tells it (a name lookup, the server's normal close)
    std::string port;       // the port's name as it was opened
    // The port never came up (a TCP connect that was refused, unreachable or timed out): the
    // session treats it like an open that failed, not like a failure of a working line.
    bool whileOpening = false;
};

// The failure in the operator's words: "no such port", "connection refused".
std::string describeLineFault(const PortError& error);
// The box for a failure of a working line:
// "WARNING:  read() Failed with the following error: \nInput/output error\nPort: /dev/ttyUSB0\n"
std::string formatPortError(const PortError& error);
// The system's text for an errno value ("Permission denied").
std::string systemErrorText(int error);

}  // namespace tonel
