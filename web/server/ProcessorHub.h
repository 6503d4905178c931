#pragma once
// The venue's processors as the service holds them: one link each, the changes clients ask for
// (one at a time per processor, with the same strict values and rules as `tonelctl set`), and the
// clients following each processor live, every one of which sees every change.

#include "device/Fleet.h"
#include "web/server/HttpServer.h"
#include "web/server/Metrics.h"
#include "web/server/ProcessorLink.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tonel::web {

// An answer to a request that changes something: an HTTP status and its JSON body.
struct Outcome {
    int status = 200;
    nlohmann::json body;
};

class ProcessorHub : public LinkObserver {
public:
    ProcessorHub(EventLoop& loop, const std::vector<FleetEntry>& processors, ExchangeTiming timing = {},
                 RetryPause pause = {});
    ~ProcessorHub() override;

    void start();
    // Every processor is told goodbye; `done` once all have been.
    void finish(std::function<void()> done);

    ProcessorLink* find(std::string_view name);
    const std::vector<std::unique_ptr<ProcessorLink>>& links() const { return links_; }

    nlohmann::json summary(const ProcessorLink& link) const;  // name, port, state, reason, last read
    nlohmann::json details(const ProcessorLink& link) const;  // the summary with every parameter

    // {"name": value, …}: all or nothing.
    Outcome change(ProcessorLink& link, const nlohmann::json& assignments);
    void store(ProcessorLink& link);

    // A client following `link`; it gets the processor's state and image at once.
    std::unique_ptr<LiveSubscription> follow(ProcessorLink& link, LiveClient& client);
    std::size_t followers() const;

    std::vector<ProcessorFigures> figures() const;

private:
    class Follower;
    void stateChanged(const ProcessorLink& link) override;
    void imageReplaced(const ProcessorLink& link) override;
    void broadcast(const ProcessorLink& link, const nlohmann::json& message);

    std::vector<std::unique_ptr<ProcessorLink>> links_;
    std::map<const ProcessorLink*, std::set<LiveClient*>> followers_;
    std::size_t finishing_ = 0;
};

}  // namespace tonel::web
