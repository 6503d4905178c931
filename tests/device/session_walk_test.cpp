// No dead ends: every state the session can reach — by any order of buttons, timer expiries,
// replies of every kind, lost lines and refused connections — leaves the user a way on, and
// nothing is ever uploaded unless the write button was pressed on the way there.

#include "tests/device/SessionFixture.h"

#include <cerrno>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace tonel::testing {
namespace {

// Two ports: a local one, and a network one that connects on the port's thread.
struct World {
    World()
    {
        catalog.setPorts({1, 2});
        port.connectLater(2);
        host.attach(&session);
    }

    FakePortCatalog catalog;
    FakeSerialLine port{&catalog};
    FakeSessionHost host;
    ParameterImage image;
    DeviceSession session{image, port, catalog, host, host};
    // What decides the session's next step without being shown: the kind of attempt the last
    // scan began, and the characters it has heard.
    bool uploading = false;
    wire::ReplyBuffer heard;
};

struct Action {
    const char* name;
    std::function<void(World&)> apply;
};

void reply(World& w, const std::string& text)
{
    if (w.port.openPort() == 0 || w.port.connecting())
        return;  // nothing can arrive
    for (char c : text)
        w.heard.append(c);
    w.port.deliver(text);
    w.port.deliverPending();
}

void pressIfEnabled(World& w, int id, void (DeviceSession::*handler)())
{
    if (!w.host.enabled(id))
        return;
    if (id == res::view::ReadButton || (id == res::view::WriteButton && !w.session.connected()))
        w.uploading = id == res::view::WriteButton;
    (w.session.*handler)();
}

// The port's own connect deadline: a connect that has not finished fails.
void connectTimesOut(World& w)
{
    w.port.refuseConnect(ETIMEDOUT);
    w.port.deliverPending();
}

const std::vector<Action>& actions()
{
    static const std::string kImage = queryReply(distinctImage(1));
    static const std::vector<Action> all = {
        {"read", [](World& w) { pressIfEnabled(w, res::view::ReadButton, &DeviceSession::onReadButton); }},
        {"write", [](World& w) { pressIfEnabled(w, res::view::WriteButton, &DeviceSession::onWriteButton); }},
        {"mode", [](World& w) { pressIfEnabled(w, res::view::ModeButton, &DeviceSession::onModeButton); }},
        {"disconnect", [](World& w) { pressIfEnabled(w, res::view::DisconnectButton, &DeviceSession::onDisconnectButton); }},
        {"next timer",  // kNextTimer
         [](World& w) {
             std::chrono::milliseconds first{-1};
             for (int id : w.host.armedTimers()) {
                 if (first.count() < 0 || w.host.dueIn(id) < first)
                     first = w.host.dueIn(id);
             }
             if (first.count() >= 0)
                 w.host.advance(first);
         }},
        {"wait 200 ms", [](World& w) { w.host.advance(200ms); }},
        {"good hello", [](World& w) { reply(w, "(01hello13)"); }},
        {"other hello", [](World& w) { reply(w, "(01hello12)"); }},
        {"good image", [](World& w) { reply(w, kImage); }},
        {"wrong count", [](World& w) { reply(w, "(01Q375" + kImage.substr(7)); }},
        {"ack", [](World& w) { reply(w, "(01P376)"); }},
        {"other ack", [](World& w) { reply(w, "(01P000)"); }},
        {"hang-up", [](World& w) {
             if (w.port.isOpen()) {
                 w.port.hangUp();
                 w.port.deliverPending();
             }
         }},
        {"connect refused", [](World& w) {
             if (w.port.connecting()) {
                 w.port.refuseConnect(ECONNREFUSED);
                 w.port.deliverPending();
             }
         }},
        {"connected", [](World& w) {
             if (w.port.connecting()) {
                 w.port.finishConnect();
                 w.port.deliverPending();
             }
         }},
    };
    return all;
}

constexpr std::size_t kNextTimer = 4;
using Path = std::vector<std::size_t>;

bool pressedWrite(const Path& path)
{
    return std::any_of(path.begin(), path.end(), [](std::size_t a) { return std::string(actions()[a].name) == "write"; });
}

// Everything that decides what can happen next, as text; the path's use of the write button too.
std::string signature(const World& w, bool wrote)
{
    std::ostringstream s;
    s << w.session.connected() << w.uploading << wrote << '|';
    for (int id : {res::view::OpenFileButton, res::view::ReadButton, res::view::WriteButton, res::view::DisconnectButton})
        s << w.host.enabled(id);
    for (int id : w.host.armedTimers())
        s << " t" << id << '@' << w.host.dueIn(id).count();
    s << " port" << w.port.openPort() << (w.port.connecting() ? " connecting" : "") << " ["
      << w.heard.text().substr(0, 12) << "] mode" << int(w.image.get(1));
    return s.str();
}

bool wayOnReached(const World& w)
{
    const bool connectedAndEndable = w.session.connected() && w.host.enabled(res::view::DisconnectButton);
    const bool idleAndReadable =
        !w.session.connected() && w.host.enabled(res::view::ReadButton) && w.host.armedTimers().empty();
    return connectedAndEndable || idleAndReadable;
}

// What any user can do, whatever the device does: let time pass, and press disconnect where it
// is offered. True when that reaches a way on.
bool userGetsOut(World& w)
{
    for (int step = 0; step < 8; ++step) {
        if (wayOnReached(w))
            return true;
        if (w.port.connecting())
            connectTimesOut(w);
        else if (!w.host.armedTimers().empty())
            actions()[kNextTimer].apply(w);
        else if (w.host.enabled(res::view::DisconnectButton))
            w.session.onDisconnectButton();
        else
            return false;
    }
    return false;
}

std::string describe(const Path& path)
{
    std::string text;
    for (std::size_t a : path)
        text += std::string(text.empty() ? "" : ", ") + actions()[a].name;
    return text;
}

TEST(SessionWalk, EveryReachableStateHasAWayOnAndNothingUploadsUnasked)
{
    constexpr std::size_t kMaxDepth = 10;
    std::map<std::string, Path> seen;
    std::deque<Path> frontier{Path{}};
    std::size_t walked = 0;
    while (!frontier.empty()) {
        const Path path = frontier.front();
        frontier.pop_front();
        World w;
        for (std::size_t a : path)
            actions()[a].apply(w);
        ++walked;
        const bool wrote = pressedWrite(path);
        for (const std::string& text : w.port.sentTexts())
            ASSERT_TRUE(wrote || !text.starts_with("(01P")) << "uploaded unasked after: " << describe(path);
        if (!seen.emplace(signature(w, wrote), path).second)
            continue;
        const std::string state = signature(w, wrote);
        ASSERT_TRUE(userGetsOut(w)) << "dead end after: " << describe(path) << "\n  " << state;
        if (path.size() == kMaxDepth)
            continue;
        for (std::size_t a = 0; a < actions().size(); ++a) {
            Path longer = path;
            longer.push_back(a);
            frontier.push_back(std::move(longer));
        }
    }
    EXPECT_GT(seen.size(), 500u) << "the walk should see the whole session";
    std::cout << "[ walk     ] " << walked << " paths, " << seen.size() << " distinct states\n";
}

}  // namespace
}  // namespace tonel::testing
