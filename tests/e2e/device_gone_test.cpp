// The device goes away in the middle of a session. The whole program scans one port path, a
// symbolic link the test points at a pseudo-terminal; the far side of that terminal closes under
// the program, and later a fresh device answers on the same path.

#include "app/Application.h"
#include "device/DeviceSession.h"
#include "emulator/VirtualProcessor.h"
#include "model/Fields.h"
#include "res/EffectControls.h"
#include "tests/app/AppFakes.h"
#include "tests/support/Pty.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
namespace fx = fields::effect;
using namespace std::chrono_literals;
using emulator::DeviceFaults;
using emulator::VirtualProcessor;
using testing::processEventsUntil;

constexpr int kLimitMs = 5000;
constexpr int kIdleWindowMs = 500;
// CPU ticks (10 ms each) all other threads together may use in the idle window: a thread that
// spins on a dead line takes nearly all of it.
constexpr long kIdleTicks = 5;
const QString kErrorCaption = QStringLiteral("Application Error");

fs::path makeTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "tonel-gone-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

// utime + stime of one /proc/<pid>/task/<tid>/stat line; the name in brackets may hold spaces.
long cpuTicks(const std::string& statLine)
{
    const auto close = statLine.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(statLine.substr(close + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field)  // state .. cmajflt
        fields >> skipped;
    long user = 0, system = 0;
    fields >> user >> system;
    return user + system;
}

// CPU used so far by every thread of the process but the calling one.
long otherThreadsTicks()
{
    const std::string self = std::to_string(::gettid());
    long total = 0;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/self/task", error)) {
        if (task.path().filename() == self)
            continue;
        std::ifstream stat(task.path() / "stat");
        std::string line;
        if (std::getline(stat, line))
            total += cpuTicks(line);
    }
    return total;
}

// Runs the event loop for a while; the CPU the other threads used meanwhile.
long ticksWhileRunning(int ms)
{
    const long before = otherThreadsTicks();
    QElapsedTimer clock;
    clock.start();
    processEventsUntil([&] { return clock.elapsed() >= ms; }, ms + kLimitMs);
    return otherThreadsTicks() - before;
}

// Runs the event loop until a timer started now for `delay` has fired: every session timer that
// was armed earlier with no longer a delay has had its turn by then.
bool runPast(std::chrono::milliseconds delay)
{
    QTimer marker;
    marker.setSingleShot(true);
    marker.setTimerType(Qt::PreciseTimer);
    bool fired = false;
    QObject::connect(&marker, &QTimer::timeout, [&] { fired = true; });
    marker.start(delay);
    return processEventsUntil([&] { return fired; }, static_cast<int>(delay.count()) + kLimitMs);
}

// The device's image: the default one, effect program 0 at the given master level.
ImageBytes deviceImage(std::uint8_t masterLevel)
{
    ImageBytes bytes = defaultImageBytes();
    bytes[fx::at(0, fx::masterLevel)] = masterLevel;
    return bytes;
}

class DeviceGone : public ::testing::Test {
protected:
    ~DeviceGone() override
    {
        app.shutDown();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    void SetUp() override
    {
        ASSERT_FALSE(dir_.empty());
        TonelOptions options;
        options.ports = {link_.string()};
        QString error;
        ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
    }

    // A virtual processor answers on the port path from now on.
    VirtualProcessor& plugIn(const ImageBytes& image, DeviceFaults faults = {})
    {
        devices_.push_back(std::make_unique<VirtualProcessor>(std::move(faults), image));
        EXPECT_TRUE(devices_.back()->start());
        pointPortAt(devices_.back()->terminalPath());
        return *devices_.back();
    }

    // The test itself plays the device, on a pseudo-terminal of its own.
    testing::PtyPair& plugInLine()
    {
        line_ = std::make_unique<testing::PtyPair>();
        EXPECT_TRUE(line_->ok());
        pointPortAt(line_->terminalPath());
        return *line_;
    }

    void pointPortAt(const std::string& target)
    {
        std::error_code ignored;
        fs::remove(link_, ignored);
        fs::create_symlink(target, link_);
    }

    MainView& view() { return app.mainWindow()->view(); }
    QPushButton* button(int id) { return view().button(id); }
    void press(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    bool connected() { return view().session().connected(); }
    QSlider* masterSlider()
    {
        return view().page(0)->findChild<QSlider*>(QString::number(res::effect::MainLevelSlider));
    }

    int boxesCaptioned(const QString& caption) const
    {
        int count = 0;
        for (const auto& box : messages.boxes)
            count += box.caption == caption ? 1 : 0;
        return count;
    }

    void readFrom(VirtualProcessor& device)
    {
        press(res::view::ReadButton);
        ASSERT_TRUE(processEventsUntil([&] { return connected(); }, kLimitMs)) << "no session";
        ASSERT_EQ(app.image().bytes(), device.image());
    }

    // The line dropped once: one report of the failed read, naming the port.
    void expectOneLineReport()
    {
        ASSERT_EQ(boxesCaptioned(kErrorCaption), 1);
        const auto& box = messages.boxes.front();
        EXPECT_EQ(box.caption, kErrorCaption);
        EXPECT_EQ(box.icon, MessageIcon::Stop);
        EXPECT_EQ(box.text, QString::fromStdString("WARNING:  read() Failed with the following error: \n"
                                                   "Input/output error\nPort: " + link_.string() + "\n"));
    }

    // Closed as after "(01bye)": anything can be started again.
    void expectSessionEnded()
    {
        EXPECT_FALSE(connected());
        for (int id : {res::view::OpenFileButton, res::view::ReadButton, res::view::WriteButton, res::view::DisconnectButton})
            EXPECT_TRUE(button(id)->isEnabled()) << id;
    }

    // Offline the panel still edits its image; a device plugged in later hears nothing of it
    // before its greeting, and a new read through the same path loads that device's image.
    void expectOfflineEditingThenANewRead()
    {
        const std::uint8_t before = app.image().get(fx::at(0, fx::masterLevel));
        masterSlider()->setValue(masterSlider()->value() + 5);
        EXPECT_EQ(app.image().get(fx::at(0, fx::masterLevel)), before + 5);

        VirtualProcessor& again = plugIn(deviceImage(40));
        const std::size_t boxes = messages.boxes.size();
        readFrom(again);
        const std::vector<std::string> frames = again.receivedFrames();
        ASSERT_GE(frames.size(), 2u);
        EXPECT_EQ(frames[0], "(01hello)");
        EXPECT_EQ(frames[1], "(01Q)");
        EXPECT_EQ(app.image().get(fx::at(0, fx::masterLevel)), 40);
        EXPECT_EQ(messages.boxes.size(), boxes);
    }

    testing::RecordingMessageBoxes messages;
    testing::ScriptedFileDialogs files;

private:
    fs::path dir_ = makeTempDir();

protected:
    fs::path link_ = dir_ / "port";

private:
    std::vector<std::unique_ptr<VirtualProcessor>> devices_;  // outlive the program's port
    std::unique_ptr<testing::PtyPair> line_;

protected:
    Application app{&messages, &files};
};

class DeviceGoneInSession;

// How far the session got before the line dropped; each returns right after the drop.
struct GoneCase {
    const char* name;
    std::function<void(DeviceGoneInSession&)> dropLine;
    std::chrono::milliseconds timerLeft;  // the longest session timer that was running
    bool greeting = false;  // gone while being greeted: no other port to try, so no device found
};

class DeviceGoneInSession : public DeviceGone, public ::testing::WithParamInterface<GoneCase> {
public:
    void whileConnected()
    {
        VirtualProcessor& device = plugIn(deviceImage(17));
        readFrom(device);
        device.hangUp();
    }

    // Greeted: the hello went out and timer 1 runs.
    void rightAfterTheHello()
    {
        testing::PtyPair& line = plugInLine();
        press(res::view::ReadButton);
        ASSERT_EQ(line.device().readUntil("(01hello)"), "(01hello)");
        line.hangUp();
    }

    // The device answered the hello; the query went out and timer 2 waits for the image.
    void whileTheReadIsPending()
    {
        answerTheHelloThenDrop(res::view::ReadButton, [](const std::string& heard) { return heard.ends_with("(01Q)"); });
    }

    // The device answered the hello to the write button; the upload went out and timer 3 waits
    // for its acknowledgement (whatever comes then, it would connect).
    void whileTheUploadIsPending()
    {
        answerTheHelloThenDrop(res::view::WriteButton, [](const std::string& heard) {
            return heard.size() >= 384 && heard.starts_with("(01P376") && heard.ends_with(")");
        });
    }

    // The button's hello is answered; the line drops once what the program sends next is all there.
    void answerTheHelloThenDrop(int buttonId, const std::function<bool(const std::string&)>& sentInFull)
    {
        testing::PtyPair& line = plugInLine();
        press(buttonId);
        ASSERT_EQ(line.device().readUntil("(01hello)"), "(01hello)");
        ASSERT_TRUE(line.device().writeAll("(01hello13)"));
        std::string heard;
        ASSERT_TRUE(processEventsUntil([&] {
            heard += line.device().readAvailable();
            return sentInFull(heard);
        })) << heard;
        line.hangUp();
    }
};

TEST_P(DeviceGoneInSession, EndsTheSessionOnceAndANewReadSucceeds)
{
    GetParam().dropLine(*this);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(processEventsUntil([&] { return !connected() && button(res::view::ReadButton)->isEnabled(); }, kLimitMs))
        << "the session did not end";
    // Whatever was armed before the drop would have fired by now.
    ASSERT_TRUE(runPast(GetParam().timerLeft + 100ms));
    expectOneLineReport();
    if (GetParam().greeting) {
        EXPECT_FALSE(connected());
        EXPECT_FALSE(button(res::view::DisconnectButton)->isEnabled());
        ASSERT_EQ(messages.boxes.size(), 2u);
        EXPECT_EQ(messages.boxes[1].text, QStringLiteral("Device Not Found!...."));
    } else {
        expectSessionEnded();
        EXPECT_EQ(messages.boxes.size(), 1u);
    }
    // No thread keeps waking on the dead line.
    EXPECT_LE(ticksWhileRunning(kIdleWindowMs), kIdleTicks);

    expectOfflineEditingThenANewRead();
}

INSTANTIATE_TEST_SUITE_P(
    Phases, DeviceGoneInSession,
    ::testing::Values(GoneCase{"Connected", [](DeviceGoneInSession& t) { t.whileConnected(); }, 0ms},
                      GoneCase{"Greeted", [](DeviceGoneInSession& t) { t.rightAfterTheHello(); }, timer::kHelloDelay,
                               true},
                      GoneCase{"ReadPending", [](DeviceGoneInSession& t) { t.whileTheReadIsPending(); },
                               timer::kReadDelay},
                      GoneCase{"UploadPending", [](DeviceGoneInSession& t) { t.whileTheUploadIsPending(); },
                               timer::kUploadDelay}),
    [](const auto& info) { return info.param.name; });

// A device that gave the wrong greeting has its port closed after "Device Not Found!....": when
// it then goes away nobody is told, and another program could have the port meanwhile.
TEST_F(DeviceGone, AfterAFailedGreetingThePortIsClosed)
{
    DeviceFaults wrongHello;
    wrongHello.helloReply = "(01hello12)";
    VirtualProcessor& device = plugIn(deviceImage(17), wrongHello);
    press(res::view::ReadButton);
    ASSERT_TRUE(processEventsUntil([&] { return !messages.boxes.empty(); }, kLimitMs));
    ASSERT_EQ(messages.boxes.front().text, QStringLiteral("Device Not Found!...."));
    ASSERT_TRUE(button(res::view::ReadButton)->isEnabled());

    testing::TerminalEnd other = testing::openRawTerminal(device.terminalPath());
    EXPECT_TRUE(other.valid());
    EXPECT_EQ(::flock(other.fd(), LOCK_EX | LOCK_NB), 0) << "the panel still holds the port";
    other.close();

    device.hangUp();
    EXPECT_TRUE(runPast(500ms));
    EXPECT_EQ(boxesCaptioned(kErrorCaption), 0);
    EXPECT_EQ(messages.boxes.size(), 1u);
    EXPECT_FALSE(connected());
    EXPECT_TRUE(button(res::view::ReadButton)->isEnabled());
    EXPECT_FALSE(button(res::view::DisconnectButton)->isEnabled());

    VirtualProcessor& again = plugIn(deviceImage(40));
    readFrom(again);
    EXPECT_EQ(messages.boxes.size(), 1u);
}

// The goodbye is on its way when the line drops: the session ends once, not twice.
TEST_F(DeviceGone, WhileClosingTheSessionEndsOnce)
{
    VirtualProcessor& device = plugIn(deviceImage(17));
    readFrom(device);
    press(res::view::DisconnectButton);
    ASSERT_TRUE(device.waitForReceived(3, 2s));  // hello, Q, bye
    device.hangUp();
    ASSERT_TRUE(runPast(timer::kCloseDelay + 100ms));
    expectSessionEnded();
    EXPECT_LE(messages.boxes.size(), 1u);
    for (const auto& box : messages.boxes)
        EXPECT_EQ(box.caption, kErrorCaption);
    EXPECT_LE(ticksWhileRunning(kIdleWindowMs), kIdleTicks);

    expectOfflineEditingThenANewRead();
}

}  // namespace
}  // namespace tonel::testing
