#include "device/DeviceSession.h"

#include "device/PortScan.h"
#include "model/Fields.h"

namespace tonel {

namespace {

constexpr const char* kCaption = "Message";
constexpr const char* kNoSerialPort = "SerialPort Not Found!....";
constexpr const char* kNoPortOpens = "Device Not Found...";
constexpr const char* kNoDeviceAnswers = "Device Not Found!....";
constexpr char kParity = 'N';
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;

}  // namespace

DeviceSession::DeviceSession(ParameterImage& image, SerialPort& port, PortCatalog& catalog,
                             SessionOwner& owner, PortOwner& portOwner)
    : image_(image), port_(port), catalog_(catalog), owner_(owner), portOwner_(portOwner)
{
}

// ---- buttons ----

void DeviceSession::onReadButton()
{
    writeMode_ = false;
    owner_.enableButton(button::kRead, false);
    scanAndConnect();
}

void DeviceSession::onWriteButton()
{
    if (connected_) {
        write(std::string(wire::kStore));  // the device stores its current settings
        return;
    }
    writeMode_ = true;
    owner_.enableButton(button::kRead, false);
    scanAndConnect();
}

void DeviceSession::onModeButton()
{
    const std::uint8_t mode = image_.get(fields::global::controlMode);
    if (mode > 1)
        return;  // only a file or the device can store another value; leave it alone
    image_.set(fields::global::controlMode, mode == 0 ? 1 : 0);
    owner_.refreshAllPages();
    if (connected_)
        write(std::string(mode == 0 ? wire::kFullMode : wire::kEasyMode));
}

void DeviceSession::onDisconnectButton()
{
    // Not disabled by the press: pressing again re-sends the goodbye and re-arms the close.
    write(std::string(wire::kBye));
    owner_.armTimer(timer::kClose, timer::kCloseDelay);
    phase_ = Phase::Closing;
}

// ---- timers, port notifications, window ----

void DeviceSession::onTimer(int id)
{
    switch (id) {
    case timer::kHello: checkHello(); break;
    case timer::kRead: checkRead(); break;
    case timer::kUpload: checkUpload(); break;
    case timer::kClose:
        owner_.cancelTimer(timer::kClose);
        endSession();
        break;
    default: break;
    }
}

void DeviceSession::onPortEvent(PortEvent event, std::uint8_t byte, int port)
{
    switch (event) {
    case PortEvent::Char:
        reply_.append(static_cast<char>(byte));  // the port number does not matter here
        break;
    case PortEvent::HangUp:
        // A late notice from a port we have since left is not about this session.
        if (port != 0 && port == openPort_ && sessionActive()) {
            for (int id : {timer::kHello, timer::kRead, timer::kUpload, timer::kClose})
                owner_.cancelTimer(id);
            endSession();
        }
        break;
    default:  // clear-to-send is accepted and ignored; break, error and ring are not handled
        break;
    }
}

void DeviceSession::onWindowDestroyed()
{
    if (connected_)
        write(std::string(wire::kBye));
}

void DeviceSession::write(const std::string& text)
{
    port_.write(text);
}

// ---- finding and greeting the device ----

void DeviceSession::scanAndConnect()
{
    presentPorts_ = scanPresentPorts(catalog_, kMaxPresentPorts);
    portCursor_ = 0;
    if (presentPorts_.empty()) {
        phase_ = Phase::Idle;
        owner_.showMessage(kNoSerialPort, kCaption, MessageIcon::Information);
        owner_.enableButton(button::kRead, true);
        return;
    }
    if (!tryPortsFrom(0)) {
        phase_ = Phase::Idle;
        owner_.showMessage(kNoPortOpens, kCaption, MessageIcon::Information);
        owner_.enableButton(button::kRead, true);
    }
}

bool DeviceSession::tryPortsFrom(std::size_t index)
{
    for (std::size_t i = index; i < presentPorts_.size(); ++i) {
        portCursor_ = i;
        // Opening the next port first closes the one tried before.
        if (openPort(presentPorts_[i])) {
            greet();
            return true;
        }
    }
    return false;
}

bool DeviceSession::openPort(int port)
{
    const bool opened = port_.open(&portOwner_, port, kBaud, kParity, kDataBits, kStopBits,
                                   kEventMask, kWriteBufferSize);
    openPort_ = opened ? port : 0;
    return opened;
}

void DeviceSession::greet()
{
    port_.startMonitoring();
    write(std::string(wire::kHello));
    owner_.armTimer(timer::kHello, timer::kHelloDelay);
    phase_ = Phase::Probing;
}

// ---- reply checks ----

void DeviceSession::checkHello()
{
    owner_.cancelTimer(timer::kHello);
    if (reply_.text() == wire::kHelloReply) {
        if (writeMode_) {
            write(wire::uploadFrame(image_));
            owner_.armTimer(timer::kUpload, timer::kUploadDelay);
            phase_ = Phase::Writing;
        } else {
            write(std::string(wire::kQuery));
            owner_.armTimer(timer::kRead, timer::kReadDelay);
            phase_ = Phase::Reading;
        }
        return;
    }
    if (tryPortsFrom(portCursor_ + 1))
        return;
    // The last port tried stays open; the next scan's open closes it.
    phase_ = Phase::Idle;
    owner_.enableButton(button::kRead, true);
    owner_.showMessage(kNoDeviceAnswers, kCaption, MessageIcon::Information);
}

void DeviceSession::checkRead()
{
    owner_.cancelTimer(timer::kRead);
    const bool wasReading = phase_ == Phase::Reading;
    if (wasReading)
        phase_ = Phase::Idle;  // unless the reply below is good; read button stays disabled
    if (reply_.firstFour() != wire::kQueryReplyPrefix)
        return;
    // A reply too short to hold the whole image is refused like a wrong count.
    if (reply_.numberAt4() != wire::kImageHexCount || !wire::decodeImageHex(reply_.text(), image_)) {
        connected_ = false;
        return;
    }
    connected_ = true;
    phase_ = Phase::Connected;
    owner_.enableButton(button::kDisconnect, true);
    owner_.refreshAllPages();
    owner_.enableButton(button::kOpenFile, false);
}

void DeviceSession::checkUpload()
{
    owner_.cancelTimer(timer::kUpload);
    connected_ = true;  // whatever the device answered: later changes are sent
    phase_ = Phase::Connected;
    if (reply_.text() == wire::kUploadAck) {
        owner_.enableButton(button::kDisconnect, true);
        owner_.enableButton(button::kRead, false);
        owner_.enableButton(button::kOpenFile, false);
    }
}

// ---- ending the session ----

void DeviceSession::endSession()
{
    connected_ = false;
    phase_ = Phase::Idle;
    closePort();
    owner_.enableButton(button::kDisconnect, true);
    owner_.enableButton(button::kRead, true);
    owner_.enableButton(button::kWrite, true);
    owner_.enableButton(button::kOpenFile, true);
}

void DeviceSession::closePort()
{
    // The port object has no close of its own: opening a number with no device stops its
    // thread, closes the line and leaves it closed. Skip every number present on the machine,
    // also those beyond the scan's first 200.
    const int absent = absentPortNumber(presentPorts_, catalog_.presentPorts());
    openPort(absent);
}

bool DeviceSession::sessionActive() const
{
    return connected_ || phase_ != Phase::Idle;
}

}  // namespace tonel
