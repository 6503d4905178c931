#include "ViewFixture.h"

#include "app/CountedLine.h"

#include "device/WireProtocol.h"
#include "model/Fields.h"

#include <cerrno>

namespace tonel::testing {
namespace {

// The device's own image: different from the defaults, Full mode.
ParameterImage deviceImage()
{
    ParameterImage device;
    device.set(fields::global::controlMode, 1);
    device.set(60, 33);
    return device;
}

struct SessionThroughView : ViewFixture {
    ParameterImage device = deviceImage();

    void SetUp() override
    {
        ViewFixture::SetUp();
        port.setDevice(1, [this](const std::string& frame) -> std::string {
            if (frame == wire::kHello)
                return std::string(wire::kHelloReply);
            if (frame == wire::kQuery)
                return "(01Q376" + wire::encodeImageHex(device) + ")";
            return {};
        });
    }
    bool enabled(int id) { return button(id)->isEnabled(); }
    // Whether open file, read, write and disconnect are enabled.
    std::vector<bool> buttons()
    {
        using namespace res::view;
        return {enabled(OpenFileButton), enabled(ReadButton), enabled(WriteButton), enabled(DisconnectButton)};
    }
    void readFromDevice()
    {
        click(res::view::ReadButton);
        deliverReplies();
        ASSERT_TRUE(timers.fire(1));
        deliverReplies();
        ASSERT_TRUE(timers.fire(2));
    }
};

TEST_F(SessionThroughView, ReadGoesThroughProbingAndReadingToConnected)
{
    click(res::view::ReadButton);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, true, false})) << "probing";
    EXPECT_EQ(timers.armed.at(1), std::chrono::milliseconds(280));
    EXPECT_EQ(port.sentTexts(), (std::vector<std::string>{"(01hello)"}));

    deliverReplies();
    ASSERT_TRUE(timers.fire(1));
    EXPECT_EQ(timers.armed.at(2), std::chrono::milliseconds(400));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, true, false})) << "reading";

    deliverReplies();
    pageLog.clear();
    ASSERT_TRUE(timers.fire(2));
    EXPECT_TRUE(view->session().connected());
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, true, true})) << "connected";
    EXPECT_EQ(image.bytes(), device.bytes());
    EXPECT_EQ(pageLog.size(), 12u) << "every page refreshed";
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("全功能模式"));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(SessionThroughView, DisconnectClosesAfterTheGoodbye)
{
    readFromDevice();
    click(res::view::DisconnectButton);
    EXPECT_EQ(port.sentTexts().back(), "(01bye)");
    EXPECT_EQ(timers.armed.at(100), std::chrono::milliseconds(280));
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, true, true})) << "closing";
    ASSERT_TRUE(timers.fire(100));
    EXPECT_FALSE(view->session().connected());
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true, true})) << "idle after close";
}

TEST_F(SessionThroughView, ModeSwitchWhileConnectedIsSent)
{
    readFromDevice();
    click(res::view::ModeButton);
    EXPECT_EQ(port.sentTexts().back(), "(01O0)");
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("简易模式"));
}

TEST_F(SessionThroughView, ClosingTheWindowWhileConnectedSaysGoodbye)
{
    readFromDevice();
    const std::size_t before = port.sentTexts().size();
    view.reset();
    ASSERT_EQ(port.sentTexts().size(), before + 1);
    EXPECT_EQ(port.sentTexts().back(), "(01bye)");
}

// The end of the run waits until the goodbye has left, not the first text queued ahead of it.
TEST_F(SessionThroughView, TheGoodbyeIsCountedBehindWhatWasQueuedAhead)
{
    std::uint64_t sent = 5;  // what the line sent in earlier sessions
    CountedLine counted(port, [&sent] { return sent; });
    counted.write("(01hello)");  // nothing open: dropped, not waited for
    ASSERT_TRUE(counted.open(fakePortName(1), LineSettings{}, portListener).started());
    EXPECT_TRUE(counted.allSent());
    counted.write("(01$008301001076024046)");  // the focused band, sent again as the window closes
    counted.write(std::string(wire::kBye));
    ++sent;
    EXPECT_FALSE(counted.allSent()) << "only the band has left";
    ++sent;
    EXPECT_TRUE(counted.allSent());
    EXPECT_EQ(port.sentTexts().back(), "(01bye)");
}

TEST_F(SessionThroughView, ClosingTheWindowWithoutSessionSendsNothing)
{
    view.reset();
    EXPECT_TRUE(port.writes().empty());
}

TEST_F(SessionThroughView, NoPortMeansAMessageAndTheReadButtonBack)
{
    catalog.setPorts({});
    click(res::view::ReadButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, QStringLiteral("SerialPort Not Found!...."));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Message"));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Information);
    EXPECT_TRUE(enabled(res::view::ReadButton));
}

TEST_F(SessionThroughView, PortErrorsAreShownOnTheWindowThread)
{
    portListener.portError({"write()", EIO, "/dev/ttyUSB0", false});
    EXPECT_TRUE(messages.boxes.empty()) << "queued, not shown on the port's thread";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, QStringLiteral("WARNING:  write() Failed with the following error: \n"
                                                     "Input/output error\nPort: /dev/ttyUSB0\n"));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Application Error"));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
}

TEST_F(SessionThroughView, ReceivedCharactersReachTheReplyInOrder)
{
    port.setDevice(1, [](const std::string&) { return std::string(); });
    click(res::view::ReadButton);
    for (const char* piece : {"(01hel", "lo1", "3)"})
        portListener.bytesArrived(piece);
    QCoreApplication::sendPostedEvents();
    ASSERT_TRUE(timers.fire(1));
    EXPECT_EQ(port.sentTexts().back(), "(01Q)") << "the pieces made the greeting's answer";
}

TEST_F(SessionThroughView, NotificationsQueuedBeforeTheViewCloseAreDropped)
{
    portListener.bytesArrived("(01hello13)");
    view.reset();
    QCoreApplication::sendPostedEvents();  // must not reach the destroyed session
    makeView(loggingPages(pageLog));
    port.setDevice(1, [](const std::string&) { return std::string(); });
    click(res::view::ReadButton);
    QCoreApplication::sendPostedEvents();
    ASSERT_TRUE(timers.fire(1));
    EXPECT_EQ(port.sentTexts().back(), "(01hello)") << "no greeting reached the new session";
}

}  // namespace
}  // namespace tonel::testing
