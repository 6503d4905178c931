#include "web/server/ProcessorHub.h"

#include "device/WireProtocol.h"
#include "model/Fields.h"
#include "model/ParameterChange.h"
#include "web/server/ParameterJson.h"

#include <chrono>
#include <ctime>

namespace tonel::web {
namespace {

using nlohmann::json;

json timeJson(const std::optional<std::chrono::system_clock::time_point>& when)
{
    if (!when)
        return nullptr;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(*when);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A JSON value as the text a user would have typed: "1.5k" stays, 30 becomes "30".
bool valueText(const json& value, std::string& text)
{
    if (value.is_string())
        text = value.get<std::string>();
    else if (value.is_number())
        text = value.dump();
    else
        return false;
    return true;
}

Outcome refused(int status, const std::string& error, const std::vector<std::string>& reasons = {})
{
    json body = {{"error", error}};
    if (!reasons.empty())
        body["reasons"] = reasons;
    return {status, std::move(body)};
}

}  // namespace

// One client following one processor; it stops following when the socket ends.
class ProcessorHub::Follower : public LiveSubscription {
public:
    Follower(ProcessorHub& hub, ProcessorLink& link, LiveClient& client) : hub_(hub), link_(link), client_(client)
    {
        hub_.followers_[&link_].insert(&client_);
    }
    ~Follower() override { hub_.followers_[&link_].erase(&client_); }

    void received(std::string_view text) override
    {
        const json message = json::parse(text, nullptr, false);
        if (message.is_discarded() || !message.is_object() || !message.contains("set")) {
            client_.send(json{{"type", "error"}, {"error", "expected {\"set\": {\"name\": value, …}}"}}.dump());
            return;
        }
        const Outcome outcome = hub_.change(link_, message["set"]);
        json reply = outcome.body;
        reply["type"] = outcome.status == 200 ? "stored" : "error";
        if (message.contains("id"))
            reply["id"] = message["id"];
        client_.send(reply.dump());
    }

private:
    ProcessorHub& hub_;
    ProcessorLink& link_;
    LiveClient& client_;
};

ProcessorHub::ProcessorHub(EventLoop& loop, const std::vector<FleetEntry>& processors, ExchangeTiming timing,
                           RetryPause pause)
{
    for (const FleetEntry& entry : processors)
        links_.push_back(std::make_unique<ProcessorLink>(loop, entry.name, entry.port, *this, timing, pause));
}

ProcessorHub::~ProcessorHub() = default;

void ProcessorHub::start()
{
    for (auto& link : links_)
        link->start();
}

void ProcessorHub::finish(std::function<void()> done)
{
    finishing_ = links_.size();
    if (finishing_ == 0) {
        done();
        return;
    }
    for (auto& link : links_) {
        link->finish([this, done] {
            if (--finishing_ == 0)
                done();
        });
    }
}

ProcessorLink* ProcessorHub::find(std::string_view name)
{
    for (auto& link : links_) {
        if (link->name() == name)
            return link.get();
    }
    return nullptr;
}

json ProcessorHub::summary(const ProcessorLink& link) const
{
    return {{"name", link.name()},
            {"port", link.port()},
            {"state", stateName(link.state())},
            {"reason", link.state() == LinkState::Offline ? json(link.reason()) : json(nullptr)},
            {"lastRead", timeJson(link.figures().lastRead)}};
}

json ProcessorHub::details(const ProcessorLink& link) const
{
    json body = summary(link);
    const ParameterImage& image = link.image();
    const Parameter* mode = findParameter("global.control_mode");
    body["controlMode"] = shownValue(*mode, image);
    body["effectProgram"] = image.get(fields::global::effectProgram) + 1;
    body["parameters"] = parameterEntries(image);
    return body;
}

Outcome ProcessorHub::change(ProcessorLink& link, const json& assignments)
{
    if (!assignments.is_object() || assignments.empty())
        return refused(400, "expected an object of parameter names and values: {\"mic.main_level\": 30}");
    std::vector<std::pair<std::string, std::string>> given;
    std::vector<std::string> reasons;
    for (const auto& [name, value] : assignments.items()) {
        std::string text;
        if (!valueText(value, text))
            reasons.push_back(name + ": a value is a number or a text");
        else
            given.emplace_back(name, std::move(text));
    }
    ParsedAssignments parsed = parseAssignments(given);
    reasons.insert(reasons.end(), parsed.errors.begin(), parsed.errors.end());
    if (!reasons.empty())
        return refused(400, "nothing was changed", reasons);
    if (link.state() != LinkState::Connected)
        return refused(409, link.name() + " is " + stateName(link.state()) +
                                (link.reason().empty() || link.state() != LinkState::Offline ? "" : ": " + link.reason()));
    if (link.busy())
        return refused(409, link.name() + " is busy with a transfer; try again in a moment");
    ParameterImage changed = link.image();
    const AppliedSettings applied = applyAssignments(changed, parsed.list, SettingTarget::Device);
    if (!applied.error.empty())
        return refused(400, "nothing was changed", {applied.error});
    const ParameterImage before = link.image();
    link.image() = changed;
    link.send(applied.frames);
    const json entries = changedEntries(before, changed);
    broadcast(link, {{"type", "changed"}, {"parameters", entries}});
    json stored = json::object();
    for (const Assignment& a : parsed.list)
        stored[a.parameter->name] = tonel::valueText(*a.parameter, changed.get(a.parameter->offset));
    return {200, {{"stored", stored}, {"notes", parsed.notes}, {"changed", entries}}};
}

void ProcessorHub::store(ProcessorLink& link) { link.send({std::string(wire::kStore)}); }

std::unique_ptr<LiveSubscription> ProcessorHub::follow(ProcessorLink& link, LiveClient& client)
{
    auto follower = std::make_unique<Follower>(*this, link, client);
    json state = summary(link);
    state["type"] = "state";
    client.send(state.dump());
    json image = details(link);
    image["type"] = "image";
    client.send(image.dump());
    return follower;
}

std::size_t ProcessorHub::followers() const
{
    std::size_t count = 0;
    for (const auto& [link, clients] : followers_)
        count += clients.size();
    return count;
}

std::vector<ProcessorFigures> ProcessorHub::figures() const
{
    std::vector<ProcessorFigures> list;
    for (const auto& link : links_) {
        const LinkFigures& f = link->figures();
        std::optional<double> lastRead;
        if (f.lastRead)
            lastRead = std::chrono::duration<double>(f.lastRead->time_since_epoch()).count();
        list.push_back({link->name(), link->port(), link->state() == LinkState::Connected, f.reads, f.framesSent,
                        f.errors, lastRead});
    }
    return list;
}

void ProcessorHub::stateChanged(const ProcessorLink& link)
{
    json state = summary(link);
    state["type"] = "state";
    broadcast(link, state);
}

void ProcessorHub::imageReplaced(const ProcessorLink& link)
{
    json image = details(link);
    image["type"] = "image";
    broadcast(link, image);
}

void ProcessorHub::broadcast(const ProcessorLink& link, const json& message)
{
    const auto it = followers_.find(&link);
    if (it == followers_.end() || it->second.empty())
        return;
    const std::string text = message.dump();
    // A client may leave while it is being sent to: send to a copy of the set.
    const std::vector<LiveClient*> clients(it->second.begin(), it->second.end());
    for (LiveClient* client : clients)
        client->send(text);
}

}  // namespace tonel::web
