#include "tests/web/WebClient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tonel::testing {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

void setReceiveTimeout(int fd, std::chrono::milliseconds timeout)
{
    timeval tv{static_cast<time_t>(timeout.count() / 1000), static_cast<suseconds_t>(timeout.count() % 1000 * 1000)};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

}  // namespace

std::string exchangeRaw(unsigned short port, const std::string& bytes, std::chrono::milliseconds deadline)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;  // the server may refuse before everything is sent
            sent += static_cast<std::size_t>(n);
        }
        const auto end = std::chrono::steady_clock::now() + deadline;
        char buffer[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd p{fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            reply.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return reply;
}

std::string httpRequest(unsigned short port, const std::string& method, const std::string& target,
                        const std::string& headers, const std::string& body)
{
    std::string request = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                          "\r\nConnection: close\r\n" + headers;
    if (!body.empty() || method == "PUT" || method == "PATCH" || method == "POST")
        request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return exchangeRaw(port, request + "\r\n" + body);
}

int statusOf(const std::string& response)
{
    if (!response.starts_with("HTTP/1.1 ") || response.size() < 12)
        return 0;
    return std::stoi(response.substr(9, 3));
}

std::string bodyOf(const std::string& response)
{
    const std::size_t end = response.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : response.substr(end + 4);
}

std::optional<std::string> headerOf(const std::string& response, const std::string& name)
{
    const std::string head = response.substr(0, response.find("\r\n\r\n"));
    std::size_t start = head.find("\r\n");
    while (start != std::string::npos) {
        const std::size_t end = head.find("\r\n", start + 2);
        const std::string line = head.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
        if (const std::size_t colon = line.find(':');
            colon != std::string::npos && beast::iequals(line.substr(0, colon), name))
            return line.substr(line.find_first_not_of(' ', colon + 1));
        start = end;
    }
    return std::nullopt;
}

struct LiveTestClient::Impl {
    asio::io_context context;
    websocket::stream<tcp::socket> ws{context};
    beast::flat_buffer buffer;
};

LiveTestClient::LiveTestClient(unsigned short port, const std::string& target, const std::string& extraHeaders)
    : impl_(std::make_unique<Impl>())
{
    tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), port);
    impl_->ws.next_layer().connect(endpoint);
    setReceiveTimeout(impl_->ws.next_layer().native_handle(), std::chrono::seconds(5));
    impl_->ws.set_option(websocket::stream_base::decorator([extraHeaders](websocket::request_type& request) {
        std::string_view rest = extraHeaders;
        while (!rest.empty()) {
            const std::size_t end = rest.find("\r\n");
            const std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
            if (const std::size_t colon = line.find(':'); colon != std::string_view::npos)
                request.set(line.substr(0, colon), line.substr(line.find_first_not_of(' ', colon + 1)));
        }
    }));
    websocket::response_type response;
    beast::error_code error;
    impl_->ws.handshake(response, "127.0.0.1:" + std::to_string(port), target, error);
    if (error)
        throw std::runtime_error(std::to_string(response.result_int()));
}

LiveTestClient::~LiveTestClient()
{
    beast::error_code ignored;
    impl_->ws.next_layer().close(ignored);
}

void LiveTestClient::send(const std::string& message) { impl_->ws.write(asio::buffer(message)); }

std::optional<std::string> LiveTestClient::next(std::chrono::milliseconds deadline)
{
    setReceiveTimeout(impl_->ws.next_layer().native_handle(), deadline);
    beast::error_code error;
    impl_->buffer.consume(impl_->buffer.size());
    impl_->ws.read(impl_->buffer, error);
    if (error)
        return std::nullopt;
    return beast::buffers_to_string(impl_->buffer.data());
}

bool LiveTestClient::closedByServer(std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end) {
        setReceiveTimeout(impl_->ws.next_layer().native_handle(), deadline);
        beast::error_code error;
        impl_->buffer.consume(impl_->buffer.size());
        impl_->ws.read(impl_->buffer, error);
        if (error == websocket::error::closed || error == asio::error::eof || error == asio::error::connection_reset)
            return true;
        if (error)
            return false;  // timed out: still open
    }
    return false;
}

}  // namespace tonel::testing
