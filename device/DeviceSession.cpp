#include "device/DeviceSession.h"

#include "model/Fields.h"

namespace tonel {

DeviceSession::DeviceSession(ParameterImage& image, SerialLine& port, PortCatalog& catalog, SessionHost& host,
                             LineListener& portListener)
    : image_(image), port_(port), catalog_(catalog), host_(host), portListener_(portListener)
{
}

// ---- buttons ----

void DeviceSession::onReadButton()
{
    writeMode_ = false;
    report(SessionEvent::Searching);
    scanAndConnect();
}

void DeviceSession::onWriteButton()
{
    if (connected_) {
        write(std::string(wire::kStore));  // the device stores its current settings
        return;
    }
    writeMode_ = true;
    report(SessionEvent::Searching);
    scanAndConnect();
}

void DeviceSession::onModeButton()
{
    const std::uint8_t mode = image_.get(fields::global::controlMode);
    // Only a file or the device can store another value: it is left alone and nothing is sent,
    // but the pages are still brought in line with the image.
    const bool toggles = mode <= 1;
    if (toggles)
        image_.set(fields::global::controlMode, mode == 0 ? 1 : 0);
    host_.refreshAllPages();
    if (connected_ && toggles)
        write(std::string(mode == 0 ? wire::kFullMode : wire::kEasyMode));
}

void DeviceSession::onDisconnectButton()
{
    // Not disabled by the press: pressing again re-sends the goodbye and re-arms the close.
    write(std::string(wire::kBye));
    host_.armTimer(timer::kClose, exchange_.timing().close);
    phase_ = Phase::Closing;
}

// ---- timers, port notices, window ----

void DeviceSession::onTimer(int id)
{
    switch (id) {
    case timer::kHello: checkHello(); break;
    case timer::kRead: checkRead(); break;
    case timer::kUpload: checkUpload(); break;
    case timer::kClose:
        host_.cancelTimer(timer::kClose);
        endSession();
        break;
    default: break;
    }
}

void DeviceSession::bytesArrived(std::string_view bytes) { exchange_.received(bytes); }

void DeviceSession::lineConnected(const std::string& port)
{
    if (!awaitingConnect_ || port != openPort_ || phase_ != Phase::Probing)
        return;
    awaitingConnect_ = false;
    greet();  // the hello's wait starts now: the connect does not eat into it
}

void DeviceSession::lineGone(const std::string& port)
{
    // A late notice from a port we have since left is not about this session.
    if (port.empty() || port != openPort_ || !sessionActive())
        return;
    cancelReplyChecks();  // their checks would look at a line that is gone
    host_.cancelTimer(timer::kClose);
    if (phase_ == Phase::Probing)
        nextPortOrGiveUp();
    else
        endSession();
}

void DeviceSession::portError(const PortError& error)
{
    if (!error.whileOpening) {
        host_.portFailure(error);
        return;
    }
    // A network port that never connected: like a port that would not open.
    if (error.port != openPort_ || phase_ != Phase::Probing)
        return;
    host_.cancelTimer(timer::kHello);
    refusals_.push_back(error);
    nextPortOrGiveUp();
}

void DeviceSession::onWindowDestroyed()
{
    if (connected_)
        write(std::string(wire::kBye));
}

void DeviceSession::write(const std::string& text) { port_.write(text); }

// ---- finding and greeting the device ----

void DeviceSession::scanAndConnect()
{
    presentPorts_ = catalog_.presentPorts();
    if (presentPorts_.size() > kMaxPresentPorts)
        presentPorts_.resize(kMaxPresentPorts);
    portCursor_ = 0;
    refusals_.clear();
    if (presentPorts_.empty()) {
        closePort();
        cancelReplyChecks();  // an earlier attempt's check would act on the port just closed
        phase_ = Phase::Idle;
        report(SessionEvent::NoPorts);
        return;
    }
    if (!tryPortsFrom(0)) {
        cancelReplyChecks();  // the attempts closed whatever was open before
        phase_ = Phase::Idle;
        report(SessionEvent::NoPortOpened);
    }
}

bool DeviceSession::tryPortsFrom(std::size_t index)
{
    for (std::size_t i = index; i < presentPorts_.size(); ++i) {
        portCursor_ = i;
        // Opening the next port first closes the one tried before.
        const OpenResult result = port_.open(presentPorts_[i], LineSettings{}, portListener_);
        if (result.started()) {
            openPort_ = presentPorts_[i];
            awaitingConnect_ = result.state == OpenResult::State::Connecting;
            if (awaitingConnect_) {
                // Greeted on lineConnected(); the port ends a connect that takes too long itself.
                host_.cancelTimer(timer::kHello);
                phase_ = Phase::Probing;
            } else {
                greet();
            }
            return true;
        }
        openPort_.clear();
        awaitingConnect_ = false;
        refusals_.push_back(result.failure);
    }
    return false;
}

void DeviceSession::greet()
{
    write(exchange_.greet());
    host_.armTimer(timer::kHello, exchange_.deadline());
    phase_ = Phase::Probing;
}

void DeviceSession::nextPortOrGiveUp()
{
    if (tryPortsFrom(portCursor_ + 1))
        return;
    // Nothing stays open: a port left locked would keep other programs off it. With it goes an
    // earlier attempt's pending check, which would otherwise connect to nothing.
    closePort();
    cancelReplyChecks();
    phase_ = Phase::Idle;
    report(refusals_.size() == presentPorts_.size() ? SessionEvent::NoPortOpened : SessionEvent::NoDeviceAnswered);
}

// ---- reply checks ----

void DeviceSession::checkHello()
{
    host_.cancelTimer(timer::kHello);
    if (exchange_.verdict(Reply::Hello) != Verdict::Good) {
        nextPortOrGiveUp();
        return;
    }
    if (writeMode_) {
        write(exchange_.upload(image_));
        host_.armTimer(timer::kUpload, exchange_.deadline());
        phase_ = Phase::Writing;
    } else {
        write(exchange_.requestImage());
        host_.armTimer(timer::kRead, exchange_.deadline());
        phase_ = Phase::Reading;
    }
}

void DeviceSession::checkRead()
{
    host_.cancelTimer(timer::kRead);
    if (exchange_.takeImage(image_)) {
        connected_ = true;
        phase_ = Phase::Connected;
        host_.refreshAllPages();
        report(SessionEvent::ImageRead);
        return;
    }
    // A check that comes late, after the user started over with the write button, leaves that
    // new attempt alone.
    if (phase_ != Phase::Reading)
        return;
    connected_ = false;
    closePort();
    phase_ = Phase::Idle;
    report(SessionEvent::ReplyInvalid);
}

void DeviceSession::checkUpload()
{
    host_.cancelTimer(timer::kUpload);
    connected_ = true;  // whatever the device answered, it received the frame: later changes are sent
    phase_ = Phase::Connected;
    report(exchange_.verdict(Reply::UploadAck) == Verdict::Good ? SessionEvent::UploadAcknowledged
                                                                 : SessionEvent::UploadNotConfirmed);
}

// ---- ending the session ----

void DeviceSession::endSession()
{
    connected_ = false;
    phase_ = Phase::Idle;
    closePort();
    report(SessionEvent::Ended);
}

void DeviceSession::closePort()
{
    port_.close();
    openPort_.clear();
    awaitingConnect_ = false;
}

void DeviceSession::cancelReplyChecks()
{
    for (int id : {timer::kHello, timer::kRead, timer::kUpload})
        host_.cancelTimer(id);
}

void DeviceSession::report(SessionEvent event)
{
    SessionReport report{event, {}};
    if (event == SessionEvent::NoPortOpened)
        report.refusals = refusals_;
    host_.sessionEvent(report);
}

bool DeviceSession::sessionActive() const { return connected_ || phase_ != Phase::Idle; }

}  // namespace tonel
