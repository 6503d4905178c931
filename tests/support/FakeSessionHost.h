#pragma once
// A recording main window for session tests: button enabling and message boxes (by the main
// view's own rules), page refreshes, and one-shot timers on a fake clock. It also stands in as
// the port's listener and hands its notices straight to the attached session.

#include "app/session/SessionPresenter.h"
#include "device/DeviceSession.h"

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tonel::testing {

class FakeSessionHost : public SessionHost, public SessionControls, public LineListener {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    FakeSessionHost();  // buttons as the main view starts: all on but disconnect

    void attach(DeviceSession* session) { session_ = session; }
    // Runs before each timer fires, e.g. to hand over the replies that arrived in the meantime.
    void setBeforeTimer(std::function<void()> hook) { beforeTimer_ = std::move(hook); }

    // SessionHost
    void armTimer(int id, std::chrono::milliseconds delay) override;
    void cancelTimer(int id) override;
    void refreshAllPages() override { ++refreshes_; }
    void sessionEvent(const SessionReport& report) override;
    void portFailure(const PortError& error) override;
    // SessionControls
    void enableButton(int id, bool enabled) override;
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;

    // LineListener
    void bytesArrived(std::string_view bytes) override;
    void lineConnected(const std::string& port) override;
    void lineGone(const std::string& port) override;
    void portError(const PortError& error) override;

    // The fake clock: advance fires every timer that falls due, earliest first.
    void advance(std::chrono::milliseconds span);
    bool fire(int id);  // fire an armed timer now; false when it is not armed
    std::chrono::milliseconds now() const { return now_; }

    bool enabled(int id) const;
    bool armed(int id) const { return timers_.count(id) > 0; }
    std::set<int> armedTimers() const;
    std::chrono::milliseconds dueIn(int id) const;  // -1 ms when not armed
    const std::vector<std::pair<int, std::chrono::milliseconds>>& arms() const { return arms_; }
    const std::vector<int>& cancels() const { return cancels_; }
    const std::vector<std::pair<int, bool>>& enableCalls() const { return enableCalls_; }
    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<std::string>& errorReports() const { return errorReports_; }  // port failures, as shown
    const std::vector<SessionReport>& reports() const { return reports_; }
    int refreshes() const { return refreshes_; }

private:
    struct Armed {
        std::chrono::milliseconds due;
        long order;  // arming order breaks ties
    };

    DeviceSession* session_ = nullptr;
    std::function<void()> beforeTimer_;
    std::map<int, bool> buttons_;
    std::map<int, Armed> timers_;
    std::chrono::milliseconds now_{0};
    long armCount_ = 0;
    std::vector<std::pair<int, std::chrono::milliseconds>> arms_;
    std::vector<int> cancels_;
    std::vector<std::pair<int, bool>> enableCalls_;
    std::vector<Message> messages_;
    std::vector<std::string> errorReports_;
    std::vector<SessionReport> reports_;
    int refreshes_ = 0;
};

}  // namespace tonel::testing
