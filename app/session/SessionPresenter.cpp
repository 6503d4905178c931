#include "app/session/SessionPresenter.h"

namespace tonel {
namespace {

void inform(SessionControls& controls, const std::string& text, MessageIcon icon = MessageIcon::Information)
{
    controls.showMessage(text, session_text::kCaption, icon);
}

std::string noPortOpenedText(const SessionReport& report)
{
    std::string text = session_text::kNoPortOpens;
    for (const PortError& refusal : report.refusals)
        text += "\n" + refusalLine(refusal);
    return text;
}

}  // namespace

std::string refusalLine(const PortError& refusal) { return refusal.port + ": " + describeLineFault(refusal); }

void presentSessionEvent(const SessionReport& report, SessionControls& controls)
{
    switch (report.event) {
    case SessionEvent::Searching:
        controls.enableButton(res::view::ReadButton, false);
        break;
    case SessionEvent::NoPorts:
        inform(controls, session_text::kNoSerialPort);
        controls.enableButton(res::view::ReadButton, true);
        break;
    case SessionEvent::NoPortOpened:
        inform(controls, noPortOpenedText(report));
        controls.enableButton(res::view::ReadButton, true);
        break;
    case SessionEvent::NoDeviceAnswered:
        controls.enableButton(res::view::ReadButton, true);
        inform(controls, session_text::kNoDeviceAnswers);
        break;
    case SessionEvent::ImageRead:
        controls.enableButton(res::view::DisconnectButton, true);
        controls.enableButton(res::view::OpenFileButton, false);
        break;
    case SessionEvent::ReplyInvalid:
        controls.enableButton(res::view::ReadButton, true);
        controls.enableButton(res::view::WriteButton, true);
        inform(controls, session_text::kReplyInvalid);
        break;
    case SessionEvent::UploadAcknowledged:
    case SessionEvent::UploadNotConfirmed:
        controls.enableButton(res::view::DisconnectButton, true);
        controls.enableButton(res::view::ReadButton, false);
        controls.enableButton(res::view::OpenFileButton, false);
        if (report.event == SessionEvent::UploadNotConfirmed)
            inform(controls, session_text::kUploadNotConfirmed, MessageIcon::Warning);
        break;
    case SessionEvent::Ended:
        for (int id : {res::view::DisconnectButton, res::view::ReadButton, res::view::WriteButton, res::view::OpenFileButton})
            controls.enableButton(id, true);
        break;
    }
}

void presentPortFailure(const PortError& error, SessionControls& controls)
{
    controls.showMessage(formatPortError(error), session_text::kPortErrorCaption, MessageIcon::Stop);
}

}  // namespace tonel
