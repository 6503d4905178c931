#include "web/server/WebApi.h"

#include "model/ParameterChange.h"
#include "web/server/CurvesJson.h"
#include "web/server/ParameterJson.h"

#include <cstdio>

namespace tonel::web {
namespace {

using nlohmann::json;

constexpr std::string_view kProcessors = "/api/processors";

WebResponse jsonResponse(const json& body, int status = 200) { return {status, "application/json", body.dump(), {}}; }

// A tag that changes whenever the bytes do (64-bit FNV-1a).
std::string entityTag(const std::string& body)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : body)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char text[24];
    std::snprintf(text, sizeof text, "\"%016llx\"", static_cast<unsigned long long>(hash));
    return text;
}

// The panel's files and the catalog change only with the service: a browser that holds the same
// bytes is told so in a few instead of being sent them again (the catalog is over half a megabyte).
WebResponse revalidated(const WebRequest& request, WebResponse response, const std::string& tag)
{
    response.headers.emplace_back("ETag", tag);
    if (request.ifNoneMatch == tag) {
        response.status = 304;
        response.body.clear();
    }
    return response;
}

WebResponse fromOutcome(const Outcome& outcome) { return jsonResponse(outcome.body, outcome.status); }

WebResponse notAllowed(const std::string& allow)
{
    WebResponse response = errorResponse(405, "use " + allow);
    response.headers.emplace_back("Allow", allow);
    return response;
}

bool isJson(const WebRequest& request) { return request.contentType.starts_with("application/json"); }

WebResponse notJson() { return errorResponse(415, "send JSON (Content-Type: application/json)"); }

WebResponse offline(const ProcessorLink& link)
{
    return errorResponse(409, link.name() + " is " + stateName(link.state()) +
                                  (link.state() == LinkState::Offline ? ": " + link.reason() : ""));
}

}  // namespace

WebApi::WebApi(ProcessorHub& hub, AccessPolicy access, StaticFiles files, std::function<std::size_t()> connections)
    : hub_(hub), access_(std::move(access)), files_(std::move(files)), connections_(std::move(connections)),
      catalog_(catalogJson().dump()), catalogTag_(entityTag(catalog_))
{
}

void WebApi::handle(const WebRequest& request, Responder respond)
{
    const std::string path = request.path();
    if (path == "/healthz")
        return respond(request.method == "GET" ? WebResponse{200, "text/plain; charset=utf-8", "ok\n", {}}
                                               : notAllowed("GET"));
    if (std::optional<WebResponse> signedIn = access_.login(request))
        return respond(*signedIn);
    // The panel's own files hold no venue data: without them a browser could not show its sign-in.
    if (request.method == "GET" && !path.starts_with("/api/") && path != "/metrics") {
        if (std::optional<WebResponse> file = files_.serve(path)) {
            const std::string tag = entityTag(file->body);
            return respond(revalidated(request, std::move(*file), tag));
        }
    }
    if (!access_.admits(request))
        return respond(access_.refusal(request));
    if (path == "/metrics")
        return respond(request.method == "GET" ? metrics() : notAllowed("GET"));
    if (path == "/api/parameters") {
        if (request.method != "GET")
            return respond(notAllowed("GET"));
        return respond(revalidated(request, {200, "application/json", catalog_, {{"Cache-Control", "no-cache"}}},
                                   catalogTag_));
    }
    if (path == kProcessors) {
        if (request.method != "GET")
            return respond(notAllowed("GET"));
        json list = json::array();
        for (const auto& link : hub_.links())
            list.push_back(hub_.summary(*link));
        return respond(jsonResponse({{"processors", list}}));
    }
    std::string rest;
    if (path.starts_with(std::string(kProcessors) + "/")) {
        if (ProcessorLink* link = processorOf(path, rest))
            return processorRoute(request, *link, rest, respond);
        return respond(errorResponse(404, "no such processor"));
    }
    respond(errorResponse(404, "nothing here"));
}

ProcessorLink* WebApi::processorOf(const std::string& path, std::string& rest)
{
    const std::string tail = path.substr(kProcessors.size() + 1);
    const std::size_t slash = tail.find('/');
    std::string name;
    if (!percentDecode(tail.substr(0, slash), name))
        return nullptr;
    rest = slash == std::string::npos ? std::string() : tail.substr(slash);
    return hub_.find(name);
}

void WebApi::processorRoute(const WebRequest& request, ProcessorLink& link, const std::string& rest,
                            Responder& respond)
{
    const std::string& method = request.method;
    if (rest.empty())
        return respond(method == "GET" ? jsonResponse(hub_.details(link)) : notAllowed("GET"));
    if (rest == "/parameters")
        return respond(method == "PATCH" ? patch(request, link) : notAllowed("PATCH"));
    if (rest == "/mode")
        return respond(method == "POST" ? mode(request, link) : notAllowed("POST"));
    if (rest == "/store") {
        if (method != "POST")
            return respond(notAllowed("POST"));
        if (link.state() != LinkState::Connected)
            return respond(offline(link));
        hub_.store(link);
        return respond(jsonResponse({{"stored", true}}));
    }
    if (rest == "/read") {
        if (method != "POST")
            return respond(notAllowed("POST"));
        if (link.state() != LinkState::Connected)
            return respond(offline(link));
        return link.readAgain([this, &link, respond](const std::string& error) {
            respond(error.empty() ? jsonResponse(hub_.details(link)) : errorResponse(502, error));
        });
    }
    if (rest == "/curves") {
        if (method != "GET")
            return respond(notAllowed("GET"));
        const std::optional<GraphPage> page = graphPageNamed(request.query("page"));
        if (!page)
            return respond(errorResponse(400, "page=effect, microphone, music or system"));
        return respond(jsonResponse(curvesJson(*page, link.image())));
    }
    if (rest == "/image.cfg") {
        if (method == "GET")
            return respond(download(link));
        if (method == "PUT")
            return upload(request, link, respond);
        return respond(notAllowed("GET, PUT"));
    }
    respond(errorResponse(404, "nothing here"));
}

WebResponse WebApi::patch(const WebRequest& request, ProcessorLink& link)
{
    if (!isJson(request))
        return notJson();
    const json body = json::parse(request.body, nullptr, false);
    if (body.is_discarded())
        return errorResponse(400, "the body is not JSON");
    return fromOutcome(hub_.change(link, body));
}

WebResponse WebApi::mode(const WebRequest& request, ProcessorLink& link)
{
    if (!isJson(request))
        return notJson();
    const json body = json::parse(request.body, nullptr, false);
    const std::string mode = body.is_object() && body.contains("mode") && body["mode"].is_string()
                                 ? body["mode"].get<std::string>()
                                 : std::string();
    if (mode != "easy" && mode != "full")
        return errorResponse(400, "expected {\"mode\": \"easy\"} or {\"mode\": \"full\"}");
    return fromOutcome(hub_.change(link, {{"global.control_mode", mode == "easy" ? "raw:0" : "raw:1"}}));
}

WebResponse WebApi::download(const ProcessorLink& link) const
{
    const auto& bytes = link.image().bytes();
    WebResponse response{200, "application/octet-stream", std::string(bytes.begin(), bytes.end()), {}};
    response.headers.emplace_back("Content-Disposition", "attachment; filename=\"" + link.name() + ".cfg\"");
    return response;
}

void WebApi::upload(const WebRequest& request, ProcessorLink& link, Responder& respond)
{
    if (request.body.size() != kImageSize)
        return respond(errorResponse(400, "a parameter file has " + std::to_string(kImageSize) + " bytes, not " +
                                              std::to_string(request.body.size())));
    ImageBytes bytes{};
    std::copy(request.body.begin(), request.body.end(), bytes.begin());
    ParameterImage image;
    image.replaceAll(bytes);
    if (const std::vector<std::string> faults = bytesOutOfRange(image); !faults.empty() && request.query("force") != "1")
        return respond(jsonResponse({{"error", "bytes outside their ranges (add ?force=1 to send them anyway)"},
                                     {"reasons", faults}},
                                    400));
    if (link.state() != LinkState::Connected)
        return respond(offline(link));
    link.upload(image, [this, &link, respond](const std::string& error) {
        respond(error.empty() ? jsonResponse(hub_.details(link)) : errorResponse(502, error));
    });
}

WebResponse WebApi::metrics() const
{
    ServiceFigures figures{hub_.figures(), hub_.followers(), connections_ ? connections_() : 0};
    return {200, "text/plain; version=0.0.4; charset=utf-8", formatMetrics(figures), {}};
}

std::optional<WebResponse> WebApi::refuseLive(const WebRequest& request)
{
    if (!access_.admits(request))
        return access_.refusal(request);
    if (!originMatchesHost(request.origin, request.host))
        return errorResponse(403, "a page of another site may not follow the processors");
    std::string rest;
    const std::string path = request.path();
    if (!path.starts_with(std::string(kProcessors) + "/") || !processorOf(path, rest) || rest != "/live")
        return errorResponse(404, "no such processor");
    return std::nullopt;
}

std::unique_ptr<LiveSubscription> WebApi::openLive(const WebRequest& request, LiveClient& client)
{
    std::string rest;
    ProcessorLink* link = processorOf(request.path(), rest);
    return link ? hub_.follow(*link, client) : nullptr;
}

}  // namespace tonel::web
