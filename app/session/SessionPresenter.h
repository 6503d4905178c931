#pragma once
// What the user sees of the device session: which command buttons are enabled and which message
// boxes appear for each thing the session reports. Kept free of Qt so the session tests check the
// same rules the main view follows.

#include "device/DeviceSession.h"
#include "res/ViewControls.h"

#include <string>

namespace tonel {

enum class MessageIcon { Information, Warning, Stop, Question };

namespace session_text {
inline constexpr const char* kCaption = "Message";
inline constexpr const char* kNoSerialPort = "SerialPort Not Found!....";
inline constexpr const char* kNoPortOpens = "Device Not Found...";
inline constexpr const char* kNoDeviceAnswers = "Device Not Found!....";
inline constexpr const char* kReplyInvalid = "The device's reply was invalid: nothing was read.";
inline constexpr const char* kUploadNotConfirmed = "The device did not confirm the upload.";
inline constexpr const char* kPortErrorCaption = "Application Error";
}  // namespace session_text

// The parts of the main window the session's outcomes touch.
class SessionControls {
public:
    virtual ~SessionControls() = default;
    virtual void enableButton(int id, bool enabled) = 0;
    virtual void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

void presentSessionEvent(const SessionReport& report, SessionControls& controls);
void presentPortFailure(const PortError& error, SessionControls& controls);

// "/dev/ttyUSB0: permission denied — add your user to the dialout group"
std::string refusalLine(const PortError& refusal);

}  // namespace tonel
