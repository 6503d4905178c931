#pragma once
// The service's routes: sign-in and access, the JSON API over the processors, the live sockets,
// /metrics, /healthz and the browser panel's files.

#include "web/server/Access.h"
#include "web/server/HttpServer.h"
#include "web/server/ProcessorHub.h"
#include "web/server/StaticFiles.h"

#include <functional>
#include <string>

namespace tonel::web {

class WebApi : public WebHandler {
public:
    // `connections` tells /metrics how many connections are open.
    WebApi(ProcessorHub& hub, AccessPolicy access, StaticFiles files, std::function<std::size_t()> connections);

    void handle(const WebRequest& request, Responder respond) override;
    std::optional<WebResponse> refuseLive(const WebRequest& request) override;
    std::unique_ptr<LiveSubscription> openLive(const WebRequest& request, LiveClient& client) override;

private:
    void processorRoute(const WebRequest& request, ProcessorLink& link, const std::string& rest, Responder& respond);
    WebResponse patch(const WebRequest& request, ProcessorLink& link);
    WebResponse mode(const WebRequest& request, ProcessorLink& link);
    void upload(const WebRequest& request, ProcessorLink& link, Responder& respond);
    WebResponse download(const ProcessorLink& link) const;
    WebResponse metrics() const;
    // The processor a path under /api/processors/ names, and what follows its name.
    ProcessorLink* processorOf(const std::string& path, std::string& rest);

    ProcessorHub& hub_;
    const AccessPolicy access_;
    const StaticFiles files_;
    std::function<std::size_t()> connections_;
    const std::string catalog_;  // the same for the service's whole life
    const std::string catalogTag_;
};

}  // namespace tonel::web
