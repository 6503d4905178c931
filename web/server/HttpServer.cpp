#include "web/server/HttpServer.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <deque>
#include <stdexcept>
#include <unordered_set>

namespace tonel::web {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

class Connection {
public:
    virtual ~Connection() = default;
    virtual void shut() = 0;
};

// What every connection shares: the limits, the handler and the set of open connections.
struct Registry {
    Registry(WebHandler& h, ServerLimits l) : handler(h), limits(l) {}
    WebHandler& handler;
    const ServerLimits limits;
    std::unordered_set<Connection*> open;
};

using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

std::string headerText(const Request& request, http::field field)
{
    const auto it = request.find(field);
    return it == request.end() ? std::string() : std::string(it->value());
}

WebRequest toWebRequest(const Request& request, const tcp::endpoint& peer)
{
    WebRequest out;
    out.method = std::string(request.method_string());
    out.target = std::string(request.target());
    out.authorization = headerText(request, http::field::authorization);
    out.cookie = headerText(request, http::field::cookie);
    out.host = headerText(request, http::field::host);
    out.origin = headerText(request, http::field::origin);
    out.contentType = headerText(request, http::field::content_type);
    out.ifNoneMatch = headerText(request, http::field::if_none_match);
    out.body = request.body();
    out.fromLoopback = peer.address().is_loopback() ||
                       (peer.address().is_v6() && peer.address().to_v6().is_v4_mapped() &&
                        asio::ip::make_address_v4(asio::ip::v4_mapped, peer.address().to_v6()).is_loopback());
    return out;
}

// Every answer says what it is and keeps the browser to this site's own resources.
Response toResponse(const WebResponse& web, unsigned version, bool keepAlive)
{
    Response response{static_cast<http::status>(web.status), version};
    response.set(http::field::content_type, web.contentType);
    response.set("Content-Security-Policy", "default-src 'self'");
    response.set("X-Content-Type-Options", "nosniff");
    response.set("Referrer-Policy", "no-referrer");
    bool cacheSet = false;
    for (const auto& [name, value] : web.headers) {
        response.set(name, value);
        cacheSet = cacheSet || beast::iequals(name, "Cache-Control");
    }
    if (!cacheSet)
        response.set(http::field::cache_control, "no-store");
    response.body() = web.body;
    response.keep_alive(keepAlive);
    response.prepare_payload();
    return response;
}

class LiveSession : public Connection, public LiveClient, public std::enable_shared_from_this<LiveSession> {
public:
    LiveSession(tcp::socket&& socket, std::shared_ptr<Registry> registry, WebRequest request)
        : ws_(std::move(socket)), registry_(std::move(registry)), request_(std::move(request)),
          allowance_(registry_->limits.messagesPerSecond), lastRefill_(Clock::now())
    {
        registry_->open.insert(this);
    }
    ~LiveSession() override { registry_->open.erase(this); }

    void start(Request upgrade)
    {
        websocket::stream_base::timeout timeouts{};
        timeouts.handshake_timeout = std::chrono::seconds(10);
        timeouts.idle_timeout = registry_->limits.idleTimeout;
        timeouts.keep_alive_pings = true;
        ws_.set_option(timeouts);
        ws_.read_message_max(registry_->limits.messageBytes);
        ws_.async_accept(upgrade, beast::bind_front_handler(&LiveSession::accepted, shared_from_this()));
    }

    void send(std::string message) override
    {
        if (closing_)
            return;
        if (queue_.size() >= registry_->limits.pendingMessages) {
            shut();  // a client that does not read must not hold the service's memory
            return;
        }
        queue_.push_back(std::move(message));
        if (queue_.size() == 1)
            writeFront();
    }

    void close(const std::string& reason) override
    {
        if (closing_)
            return;
        closing_ = true;
        ws_.async_close(websocket::close_reason(websocket::close_code::going_away, reason),
                        [self = shared_from_this()](beast::error_code) {});
    }

    void shut() override
    {
        closing_ = true;
        subscription_.reset();
        beast::error_code ignored;
        beast::get_lowest_layer(ws_).socket().close(ignored);
    }

private:
    void accepted(beast::error_code error)
    {
        if (error)
            return;
        subscription_ = registry_->handler.openLive(request_, *this);
        readNext();
    }

    void readNext()
    {
        ws_.async_read(buffer_, beast::bind_front_handler(&LiveSession::read, shared_from_this()));
    }

    void read(beast::error_code error, std::size_t)
    {
        if (error) {
            subscription_.reset();
            return;
        }
        std::string message = beast::buffers_to_string(buffer_.data());
        buffer_.consume(buffer_.size());
        if (!withinRate())
            send(R"({"error":"too many messages: this one was not taken"})");
        else if (subscription_)
            subscription_->received(message);
        if (!closing_)
            readNext();
    }

    // A bucket of messagesPerSecond, refilled continuously.
    bool withinRate()
    {
        const double rate = registry_->limits.messagesPerSecond;
        const Clock::time_point now = Clock::now();
        allowance_ = std::min(rate, allowance_ + std::chrono::duration<double>(now - lastRefill_).count() * rate);
        lastRefill_ = now;
        if (allowance_ < 1.0)
            return false;
        allowance_ -= 1.0;
        return true;
    }

    void writeFront()
    {
        ws_.text(true);
        ws_.async_write(asio::buffer(queue_.front()), beast::bind_front_handler(&LiveSession::written, shared_from_this()));
    }

    void written(beast::error_code error, std::size_t)
    {
        if (error) {
            shut();
            return;
        }
        queue_.pop_front();
        if (!queue_.empty())
            writeFront();
    }

    websocket::stream<beast::tcp_stream> ws_;
    std::shared_ptr<Registry> registry_;
    WebRequest request_;
    beast::flat_buffer buffer_;
    std::deque<std::string> queue_;
    std::unique_ptr<LiveSubscription> subscription_;
    bool closing_ = false;
    double allowance_;
    Clock::time_point lastRefill_;
};

class HttpSession : public Connection, public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(tcp::socket&& socket, std::shared_ptr<Registry> registry)
        : stream_(std::move(socket)), registry_(std::move(registry))
    {
        beast::error_code ignored;
        peer_ = stream_.socket().remote_endpoint(ignored);
        registry_->open.insert(this);
    }
    ~HttpSession() override { registry_->open.erase(this); }

    void start(bool overLimit)
    {
        if (overLimit) {
            answer(errorResponse(503, "too many clients at once; try again shortly"), 11, false);
            return;
        }
        readNext();
    }

    void shut() override
    {
        beast::error_code ignored;
        stream_.socket().close(ignored);
    }

private:
    void readNext()
    {
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(registry_->limits.headerBytes));
        parser_->body_limit(registry_->limits.bodyBytes);
        stream_.expires_after(registry_->limits.requestTimeout);
        http::async_read(stream_, buffer_, *parser_, beast::bind_front_handler(&HttpSession::read, shared_from_this()));
    }

    void read(beast::error_code error, std::size_t)
    {
        if (error == http::error::header_limit)
            return answer(errorResponse(431, "request header larger than " +
                                                 std::to_string(registry_->limits.headerBytes) + " bytes"),
                          11, false);
        if (error == http::error::body_limit)
            return answer(errorResponse(413, "request body larger than " +
                                                 std::to_string(registry_->limits.bodyBytes) + " bytes"),
                          11, false);
        if (error && &error.category() == &http::make_error_code(http::error::end_of_stream).category() && error != http::error::end_of_stream &&
            error != http::error::partial_message)
            return answer(errorResponse(400, "malformed request"), 11, false);
        if (error) {
            shut();  // closed, timed out or cut off: nobody to answer
            return;
        }
        Request request = parser_->release();
        WebRequest web = toWebRequest(request, peer_);
        if (websocket::is_upgrade(request)) {
            if (std::optional<WebResponse> refusal = registry_->handler.refuseLive(web))
                return answer(*refusal, request.version(), false);
            stream_.expires_never();
            auto live = std::make_shared<LiveSession>(stream_.release_socket(), registry_, std::move(web));
            live->start(std::move(request));
            return;
        }
        registry_->handler.handle(web, [self = shared_from_this(), version = request.version(),
                                        keepAlive = request.keep_alive()](const WebResponse& response) {
            self->answer(response, version, keepAlive);
        });
    }

    void answer(const WebResponse& web, unsigned version, bool keepAlive)
    {
        response_ = toResponse(web, version, keepAlive);
        stream_.expires_after(registry_->limits.requestTimeout);
        http::async_write(stream_, response_, beast::bind_front_handler(&HttpSession::answered, shared_from_this()));
    }

    void answered(beast::error_code error, std::size_t)
    {
        if (error || !response_.keep_alive()) {
            beast::error_code ignored;
            stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
            return;
        }
        readNext();
    }

    beast::tcp_stream stream_;
    std::shared_ptr<Registry> registry_;
    tcp::endpoint peer_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    Response response_;
};

}  // namespace

struct HttpServer::Impl : std::enable_shared_from_this<HttpServer::Impl> {
    Impl(asio::io_context& context, WebHandler& handler, ServerLimits limits)
        : acceptor(context), registry(std::make_shared<Registry>(handler, limits))
    {
    }

    void acceptNext()
    {
        acceptor.async_accept([self = shared_from_this()](beast::error_code error, tcp::socket socket) {
            if (error == asio::error::operation_aborted || !self->acceptor.is_open())
                return;
            if (!error) {
                const std::size_t open = self->registry->open.size();
                // Past twice the limit not even a refusal is written: the socket just closes.
                if (open < 2 * self->registry->limits.clients)
                    std::make_shared<HttpSession>(std::move(socket), self->registry)
                        ->start(open >= self->registry->limits.clients);
            }
            self->acceptNext();
        });
    }

    tcp::acceptor acceptor;
    std::shared_ptr<Registry> registry;
};

HttpServer::HttpServer(EventLoop& loop, const std::string& host, const std::string& port, WebHandler& handler,
                       ServerLimits limits)
    : impl_(std::make_shared<Impl>(loop.context(), handler, limits))
{
    beast::error_code error;
    tcp::resolver resolver(loop.context());
    const auto endpoints = resolver.resolve(host, port, tcp::resolver::passive | tcp::resolver::numeric_service, error);
    if (error || endpoints.empty())
        throw std::runtime_error("cannot listen on " + host + ":" + port + ": " + error.message());
    const tcp::endpoint endpoint = endpoints.begin()->endpoint();
    auto& acceptor = impl_->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error)
        acceptor.set_option(asio::socket_base::reuse_address(true), error);
    if (!error)
        acceptor.bind(endpoint, error);
    if (!error)
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error)
        throw std::runtime_error("cannot listen on " + host + ":" + port + ": " + error.message());
    impl_->acceptNext();
}

HttpServer::~HttpServer() { stop(); }

unsigned short HttpServer::port() const
{
    beast::error_code ignored;
    return impl_->acceptor.local_endpoint(ignored).port();
}

std::size_t HttpServer::connections() const { return impl_->registry->open.size(); }

void HttpServer::stop()
{
    beast::error_code ignored;
    impl_->acceptor.close(ignored);
    // Shutting one can end it and take it out of the set: work on a copy.
    const std::vector<Connection*> open(impl_->registry->open.begin(), impl_->registry->open.end());
    for (Connection* connection : open)
        connection->shut();
}

}  // namespace tonel::web
