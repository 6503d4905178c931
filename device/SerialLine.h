#pragma once
// A line to a processor, opened by name: a tty path ("/dev/ttyUSB0"), "tcp://HOST:PORT" (raw TCP,
// as ser2net and serial device servers serve a line) or "rfc2217://HOST:PORT" (Telnet COM-PORT
// option: the line settings are set on the server). One interface for all of them; the device
// session and the pages only ever see this.

#include "device/LineFailure.h"

#include <string>
#include <string_view>

namespace tonel {

// 38400 8N1 with RTS asserted is what the processor speaks.
struct LineSettings {
    int baud = 38400;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    bool rts = true;
};

// What a port tells its user. Called on the port's own thread (and, for a failure while opening,
// possibly on the caller's): an implementation hands the notice on and never blocks.
class LineListener {
public:
    virtual ~LineListener() = default;
    virtual void bytesArrived(std::string_view bytes) = 0;
    // A network port that opened as Connecting has connected: what is written now goes out.
    virtual void lineConnected(const std::string& /*port*/) {}
    // The line dropped (hang-up, end of file, connection reset); said once per open.
    virtual void lineGone(const std::string& port) = 0;
    virtual void portError(const PortError& error) = 0;
};

struct OpenResult {
    enum class State {
        Open,        // ready: writes go out at once
        Connecting,  // a network port connects on the port's thread; writes wait for it, and a
                     // failure arrives as portError() with whileOpening set
        Failed,      // nothing is open; `failure` says why
    };
    State state = State::Failed;
    PortError failure;

    bool started() const { return state != State::Failed; }
};

class SerialLine {
public:
    virtual ~SerialLine() = default;
    // Closes what was open, then opens `name`. Never blocks on the network: a TCP connect goes on
    // in the port's thread. `listener` must outlive the open.
    virtual OpenResult open(const std::string& name, const LineSettings& settings, LineListener& listener) = 0;
    // Stops the port's thread and closes the line; nothing is notified after it returns.
    virtual void close() = 0;
    // Queues a text and returns at once; dropped when nothing is open or the line is gone.
    virtual void write(const std::string& text) = 0;
    // Open (or connecting) and not gone.
    virtual bool isOpen() const = 0;
};

}  // namespace tonel
