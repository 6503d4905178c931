#pragma once
// Shared ground for the session tests: a session wired to a fake port, catalog and window,
// scripted devices, and the user-visible state rows of the session.

#include "device/DeviceSession.h"
#include "model/ParameterImage.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/FakeSessionHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace tonel::testing {

using namespace std::chrono_literals;

// The image as the device sends it: two upper-case hex digits per byte, byte 0 first.
inline std::string hexOf(const ParameterImage& image)
{
    std::string hex;
    for (std::uint8_t b : image.bytes()) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
    }
    return hex;
}

inline std::string queryReply(const ParameterImage& image) { return "(01Q376" + hexOf(image) + ")"; }

// An image unlike the defaults in every byte, with the given control mode.
inline ParameterImage distinctImage(std::uint8_t controlMode)
{
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(image.get(i) + 1 + (i % 97)));
    image.set(1, controlMode);
    return image;
}

// A device on one port: what it answers to the hello, the query and an upload ("" = silent).
inline FakeSerialLine::Device deviceAnswering(std::string hello, std::string query, std::string upload)
{
    return [=](const std::string& frame) -> std::string {
        if (frame == "(01hello)")
            return hello;
        if (frame == "(01Q)")
            return query;
        return frame.rfind("(01P", 0) == 0 ? upload : std::string();
    };
}

inline FakeSerialLine::Device readableDevice(const std::string& queryAnswer)
{
    return deviceAnswering("(01hello13)", queryAnswer, "(01P376)");
}

inline FakeSerialLine::Device writableDevice(const std::string& ack)
{
    return deviceAnswering("(01hello13)", "", ack);
}

// What the user sees: the flag, the four buttons and the armed timers.
struct StateRow {
    const char* name;
    bool connected;
    bool openFile;  // whether each of these buttons is enabled
    bool read;
    bool write;
    bool disconnect;
    std::set<int> timers;
};

inline const StateRow kIdle{"Idle", false, true, true, true, false, {}};
inline const StateRow kProbing{"Probing", false, true, false, true, false, {timer::kHello}};
inline const StateRow kReading{"Reading", false, true, false, true, false, {timer::kRead}};
inline const StateRow kWriting{"Writing", false, true, false, true, false, {timer::kUpload}};
inline const StateRow kConnected{"Connected", true, false, false, true, true, {}};
inline const StateRow kClosing{"Closing", true, false, false, true, true, {timer::kClose}};
inline const StateRow kIdleAfterClose{"Idle after close", false, true, true, true, true, {}};
// Reading whose reply was refused: the attempt ended, read and write are offered again.
inline const StateRow kIdleReplyRefused{"Idle, reply refused", false, true, true, true, false, {}};
// The write button pressed while reading or writing: probing again, the earlier reply timer still pending.
inline const StateRow kProbingReadPending{"Probing, timer 2 pending", false, true, false, true, false,
                                          {timer::kHello, timer::kRead}};
inline const StateRow kProbingUploadPending{"Probing, timer 3 pending", false, true, false, true, false,
                                            {timer::kHello, timer::kUpload}};
// Writing whose acknowledgement was wrong: connected all the same, and it can be ended.
inline const StateRow kConnectedNoAck{"Connected, no ack", true, false, false, true, true, {}};

class SessionTest : public ::testing::Test {
public:
    SessionTest()
    {
        host.attach(&session);
        host.setBeforeTimer([this] { port.deliverPending(); });
    }

    void expectState(const StateRow& row) const
    {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(session.connected(), row.connected);
        EXPECT_EQ(host.enabled(res::view::OpenFileButton), row.openFile);
        EXPECT_EQ(host.enabled(res::view::ReadButton), row.read);
        EXPECT_EQ(host.enabled(res::view::WriteButton), row.write);
        EXPECT_EQ(host.enabled(res::view::DisconnectButton), row.disconnect);
        EXPECT_EQ(host.armedTimers(), row.timers);
    }

    // Every frame that went out on an open port since `from` texts were sent.
    std::vector<std::string> sentSince(std::size_t from) const
    {
        const std::vector<std::string> all = port.sentTexts();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }

    // Replies reach the session, then the clock moves on.
    void elapse(std::chrono::milliseconds span)
    {
        port.deliverPending();
        host.advance(span);
        port.deliverPending();
    }

    void oneGoodDevice(const ParameterImage& deviceImage)
    {
        catalog.setPorts({1});
        port.setDevice(1, readableDevice(queryReply(deviceImage)));
    }

    // The common starting points.
    void toProbing(bool writeMode)
    {
        oneGoodDevice(distinctImage(1));
        if (writeMode)
            session.onWriteButton();
        else
            session.onReadButton();
    }
    void toReading() { toProbing(false); elapse(timer::kHelloDelay); }
    void toWriting() { toProbing(true); elapse(timer::kHelloDelay); }
    void toConnected() { toReading(); elapse(timer::kReadDelay); }
    void toConnectedNoAck()
    {
        catalog.setPorts({1});
        port.setDevice(1, writableDevice("(01P375)"));
        session.onWriteButton();
        elapse(timer::kHelloDelay + timer::kUploadDelay);
    }
    void toClosing() { toConnected(); session.onDisconnectButton(); }

    FakePortCatalog catalog;
    FakeSerialLine port{&catalog};
    FakeSessionHost host;
    ParameterImage image;
    DeviceSession session{image, port, catalog, host, host};
};

}  // namespace tonel::testing
