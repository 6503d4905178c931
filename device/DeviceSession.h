#pragma once
// The logic behind reading from, writing to and disconnecting from the processor: find the port
// on which it answers, greet it, read or upload the image, keep the `connected` flag, close the
// session. It says what happened; the window decides what the user sees.

#include "device/CommandChannel.h"
#include "device/Exchange.h"
#include "device/PortCatalog.h"
#include "device/SerialLine.h"
#include "model/ParameterImage.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tonel {

namespace timer {
inline constexpr int kHello = 1;
inline constexpr int kRead = 2;
inline constexpr int kUpload = 3;
inline constexpr int kClose = 100;
// The panel waits the exchange's default deadlines in full.
inline constexpr std::chrono::milliseconds kHelloDelay = ExchangeTiming{}.hello;
inline constexpr std::chrono::milliseconds kReadDelay = ExchangeTiming{}.image;
inline constexpr std::chrono::milliseconds kUploadDelay = ExchangeTiming{}.upload;
inline constexpr std::chrono::milliseconds kCloseDelay = ExchangeTiming{}.close;
}  // namespace timer

enum class SessionEvent {
    Searching,           // read or write asked for without a session: the scan begins
    NoPorts,             // the scan found no port
    NoPortOpened,        // every port refused to open; the refusals say why
    NoDeviceAnswered,    // no port answered the greeting; nothing is left open
    ImageRead,           // connected, the device's image loaded and the pages refreshed
    ReplyInvalid,        // the image reply was refused: port closed, not connected, image untouched
    UploadAcknowledged,  // connected
    UploadNotConfirmed,  // connected (the device received the frame) but it did not confirm it
    Ended,               // disconnected, or the line went away: port closed, not connected
};

struct SessionReport {
    SessionEvent event = SessionEvent::Searching;
    std::vector<PortError> refusals;  // NoPortOpened: one per port, in the order tried
};

// What the session asks of the main window.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual void armTimer(int id, std::chrono::milliseconds delay) = 0;  // one-shot; re-arming replaces
    virtual void cancelTimer(int id) = 0;
    virtual void refreshAllPages() = 0;
    virtual void sessionEvent(const SessionReport& report) = 0;
    // A system call failed on a line that is (or was) working.
    virtual void portFailure(const PortError& error) = 0;
};

// Port notices reach it through LineListener, on the window thread and in arrival order.
class DeviceSession : public CommandChannel, public LineListener {
public:
    static constexpr std::size_t kMaxPresentPorts = 200;

    // `portListener` is what the port reports to (it hands the notices on to this session on the
    // window thread); it may be the session itself where everything runs on one thread.
    DeviceSession(ParameterImage& image, SerialLine& port, PortCatalog& catalog, SessionHost& host,
                  LineListener& portListener);

    // Buttons
    void onReadButton();
    void onWriteButton();
    void onModeButton();
    void onDisconnectButton();
    // Timer expiry (ids 1, 2, 3, 100)
    void onTimer(int id);
    // The main window is being destroyed
    void onWindowDestroyed();

    // LineListener, on the window thread. A network port is greeted once it has connected. A
    // line that goes away ends the session; one that goes away, or never connects, while it is
    // being greeted makes way for the next port.
    void bytesArrived(std::string_view bytes) override;
    void lineConnected(const std::string& port) override;
    void lineGone(const std::string& port) override;
    void portError(const PortError& error) override;

    // CommandChannel
    bool connected() const override { return connected_; }
    void write(const std::string& text) override;

    const std::vector<std::string>& presentPorts() const { return presentPorts_; }

private:
    enum class Phase { Idle, Probing, Reading, Writing, Connected, Closing };

    void scanAndConnect();
    bool tryPortsFrom(std::size_t index);  // open the first that opens from index on, greet it
    void greet();
    void nextPortOrGiveUp();  // after the current port failed the greeting
    void checkHello();
    void checkRead();
    void checkUpload();
    void endSession();  // connected cleared, port closed
    void closePort();
    void cancelReplyChecks();
    void report(SessionEvent event);
    bool sessionActive() const;

    ParameterImage& image_;
    SerialLine& port_;
    PortCatalog& catalog_;
    SessionHost& host_;
    LineListener& portListener_;

    std::vector<std::string> presentPorts_;
    std::vector<PortError> refusals_;  // this scan's ports that would not open
    std::size_t portCursor_ = 0;
    bool writeMode_ = false;
    bool connected_ = false;
    Phase phase_ = Phase::Idle;
    bool awaitingConnect_ = false;  // the open port is a network port that has not connected yet
    std::string openPort_;
    Exchange exchange_{ReplyChecks::Panel};
};

}  // namespace tonel
