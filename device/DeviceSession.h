#pragma once
// The logic behind the read, write, mode and disconnect buttons: find the device, greet it, read
// or upload the image, keep the `connected` flag, close the session.

#include "device/CommandChannel.h"
#include "device/SerialPort.h"
#include "device/WireProtocol.h"
#include "model/ParameterImage.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tonel {

namespace button {
inline constexpr int kOpenFile = 1201;
inline constexpr int kSaveFile = 1202;
inline constexpr int kRead = 1203;
inline constexpr int kWrite = 1204;
inline constexpr int kMode = 1205;
inline constexpr int kDisconnect = 1206;
}  // namespace button

namespace timer {
inline constexpr int kHello = 1;
inline constexpr int kRead = 2;
inline constexpr int kUpload = 3;
inline constexpr int kClose = 100;
inline constexpr std::chrono::milliseconds kHelloDelay{280};
inline constexpr std::chrono::milliseconds kReadDelay{400};
inline constexpr std::chrono::milliseconds kUploadDelay{800};
inline constexpr std::chrono::milliseconds kCloseDelay{280};
}  // namespace timer

enum class MessageIcon { Information, Warning, Stop, Question };

// What the session asks of the main window.
class SessionOwner {
public:
    virtual ~SessionOwner() = default;
    virtual void enableButton(int id, bool enabled) = 0;
    virtual void armTimer(int id, std::chrono::milliseconds delay) = 0;  // one-shot; re-arming replaces
    virtual void cancelTimer(int id) = 0;
    virtual void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    virtual void refreshAllPages() = 0;
};

class DeviceSession : public CommandChannel {
public:
    static constexpr std::size_t kMaxPresentPorts = 200;
    static constexpr std::uint32_t kEventMask = 0x1FD;
    static constexpr std::size_t kWriteBufferSize = 1024;
    static constexpr int kBaud = 38400;

    // `portOwner` receives the port's notifications (it forwards them to onPortEvent on the window thread).
    DeviceSession(ParameterImage& image, SerialPort& port, PortCatalog& catalog, SessionOwner& owner,
                  PortOwner& portOwner);

    // Buttons
    void onReadButton();        // 1203
    void onWriteButton();       // 1204
    void onModeButton();        // 1205
    void onDisconnectButton();  // 1206
    // Timer expiry (ids 1, 2, 3, 100)
    void onTimer(int id);
    // Port notifications, on the window thread, in arrival order. A hang-up of the open port ends
    // an open or opening session like the close after "(01bye)" does.
    void onPortEvent(PortEvent event, std::uint8_t byte, int port);
    // The main window is being destroyed
    void onWindowDestroyed();

    // CommandChannel
    bool connected() const override { return connected_; }
    void write(const std::string& text) override;

    const wire::ReplyBuffer& reply() const { return reply_; }
    const std::vector<int>& presentPorts() const { return presentPorts_; }
    std::size_t portCursor() const { return portCursor_; }
    bool writeMode() const { return writeMode_; }

private:
    // Where the session stands; a hang-up of the line matters only while it is not Idle.
    enum class Phase { Idle, Probing, Reading, Writing, Connected, Closing };

    void scanAndConnect();            // the port scan, then open and greet the first port that opens
    bool openPort(int port);
    void greet();
    bool tryPortsFrom(std::size_t index);  // open the first that opens from index on, greet it
    void checkHello();
    void checkRead();
    void checkUpload();
    void endSession();  // connected cleared, port closed, 1201/1203/1204/1206 enabled
    void closePort();
    bool sessionActive() const;

    ParameterImage& image_;
    SerialPort& port_;
    PortCatalog& catalog_;
    SessionOwner& owner_;
    PortOwner& portOwner_;

    std::vector<int> presentPorts_;
    std::size_t portCursor_ = 0;
    bool writeMode_ = false;
    bool connected_ = false;
    Phase phase_ = Phase::Idle;
    int openPort_ = 0;  // the number our port object has open; 0 when closed
    wire::ReplyBuffer reply_;
};

}  // namespace tonel
