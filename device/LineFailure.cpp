#include "device/LineFailure.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>

namespace tonel {
namespace {

// strerror_r returns the text (GNU) or a status (XSI), depending on the C library.
[[maybe_unused]] const char* pickErrorText(int rc, const char* buffer) { return rc == 0 ? buffer : "Unknown error"; }
[[maybe_unused]] const char* pickErrorText(const char* text, const char*) { return text; }

}  // namespace

LineFault faultOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return LineFault::NotFound;
    case EACCES:
    case EPERM: return LineFault::PermissionDenied;
    case EBUSY: return LineFault::Busy;
    case ECONNREFUSED: return LineFault::Refused;
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
    case ENETDOWN: return LineFault::Unreachable;
    case ETIMEDOUT:
    case ETIME: return LineFault::TimedOut;
    case ENOTTY: return LineFault::NotASerialPort;
    case EISDIR: return LineFault::Folder;
    default: return LineFault::Other;
    }
}

LineFault faultOfLookup(int code, int systemError)
{
    switch (code) {
    case EAI_NONAME:
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return LineFault::UnknownHost;
    case EAI_SYSTEM: return faultOfErrno(systemError);
    case EAI_MEMORY: return LineFault::Other;
    default: return LineFault::LookupFailed;  // EAI_AGAIN, EAI_FAIL: the name servers did not answer
    }
}

std::string describeLineFault(const PortError& error)
{
    switch (error.fault) {
    case LineFault::NotFound: return "no such port";
    case LineFault::PermissionDenied: return "permission denied — add your user to the dialout group";
    case LineFault::Busy: return "in use by another program";
    case LineFault::UnknownHost: return "unknown host (check the name)";
    case LineFault::LookupTimedOut: return "name lookup timed out";
    case LineFault::LookupFailed: return "name lookup failed (the name servers did not answer)";
    case LineFault::Refused: return "connection refused";
    case LineFault::Unreachable: return "host unreachable";
    case LineFault::TimedOut: return error.whileOpening ? "no connection (timed out)" : "the line took nothing in time";
    case LineFault::LineLost: return "the line went down";
    case LineFault::ClosedByServer: return "the device server closed the connection";
    case LineFault::NotASerialPort: return "not a serial port";
    case LineFault::Folder: return "a folder, not a port";
    case LineFault::NotAPortName: return "not a port name (a tty path, tcp://HOST:PORT or rfc2217://HOST:PORT)";
    case LineFault::Unsupported: return "the port does not take these line settings";
    case LineFault::Other: break;
    }
    return error.operation + ": " + (error.error != 0 ? systemErrorText(error.error) : std::string("failed"));
}

std::string formatPortError(const PortError& error)
{
    // A failure without an errno (the server's normal close) has no system text: our words stand in.
    const std::string text = error.error != 0 ? systemErrorText(error.error) : describeLineFault(error);
    return "WARNING:  " + error.operation + " Failed with the following error: \n" + text + "\nPort: " + error.port +
           "\n";
}

std::string systemErrorText(int error)
{
    char buffer[256] = {};
    return pickErrorText(::strerror_r(error, buffer, sizeof buffer), buffer);
}

}  // namespace tonel
