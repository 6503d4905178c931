#pragma once
// Recording and scripted stand-ins for the main view's message boxes, file dialogs, timers and
// pages.

#include "app/DemoRun.h"
#include "app/MainView.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/TimerService.h"
#include "res/PageTemplate.h"

#include <QCoreApplication>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tonel::testing {

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Box {
        QString text;
        QString caption;
        MessageIcon icon;
    };
    void show(const QString& text, const QString& caption, MessageIcon icon) override
    {
        boxes.push_back({text, caption, icon});
    }
    // Each question takes the next answer; with none left it is cancelled.
    CloseChoice askBeforeClosingWithEdits(const QString& caption) override
    {
        questions.push_back(caption);
        if (closeAnswers.empty())
            return CloseChoice::Cancel;
        const CloseChoice answer = closeAnswers.front();
        closeAnswers.pop_front();
        return answer;
    }
    std::vector<Box> boxes;
    std::vector<QString> questions;
    std::deque<CloseChoice> closeAnswers;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    // Each dialog takes the next answer; an empty answer is a cancel.
    QString openParameterFile() override { return next(openAnswers, opened); }
    QString saveParameterFile() override { return next(saveAnswers, saved); }
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    int opened = 0;
    int saved = 0;

private:
    static QString next(std::deque<QString>& answers, int& count)
    {
        ++count;
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeTimers : public TimerService {
public:
    void setExpiryHandler(Expiry handler) override { expiry = std::move(handler); }
    void arm(int id, std::chrono::milliseconds delay) override { armed[id] = delay; }
    void cancel(int id) override { armed.erase(id); }
    void cancelAll() override { armed.clear(); }
    bool isArmed(int id) const { return armed.count(id) > 0; }
    // The timer expires now; false when it was not armed.
    bool fire(int id)
    {
        if (!isArmed(id))
            return false;
        armed.erase(id);
        if (expiry)
            expiry(id);
        return true;
    }
    std::map<int, std::chrono::milliseconds> armed;
    Expiry expiry;
};

// A page that records what the view asks of it, in one log shared by the four pages.
// The pages' template ids in the view's order.
inline constexpr int kPageTemplateIds[] = {res::EffectTemplateId, res::MicrophoneTemplateId, res::MusicTemplateId,
                                           res::SystemTemplateId};

// A page's entry in the log: "<template id> <what>".
inline std::string logged(int templateId, const char* what) { return std::to_string(templateId) + " " + what; }

class LoggingPage : public Page {
public:
    LoggingPage(PageContext context, int templateId, QWidget* parent, std::vector<std::string>& log)
        : Page(context, templateId, parent), log_(log)
    {
        resize(res::effectTemplate().width * res::kPixelsPerTemplateUnit,
               res::effectTemplate().height * res::kPixelsPerTemplateUnit);  // as large as a real page
    }
    void refreshFromImage() override { note("refresh"); }
    void redrawGraph() override { note("redraw"); }
    void applyControlMode() override { note("mode"); }

private:
    void note(const char* what) { log_.push_back(logged(templateId(), what)); }
    std::vector<std::string>& log_;
};

inline PageFactory loggingPages(std::vector<std::string>& log)
{
    return [&log](PageContext context, QWidget* parent) {
        return PageSet{new LoggingPage(context, res::EffectTemplateId, parent, log),
                       new LoggingPage(context, res::MicrophoneTemplateId, parent, log),
                       new LoggingPage(context, res::MusicTemplateId, parent, log),
                       new LoggingPage(context, res::SystemTemplateId, parent, log)};
    };
}

// Runs the event loop until `done` holds or the deadline passes.
inline bool processEventsUntil(const std::function<bool()>& done, int deadlineMs = 5000)
{
    return runEventsUntil(done, std::chrono::milliseconds(deadlineMs));
}

}  // namespace tonel::testing
