#pragma once
// Plain-socket clients of tonel-web for the benchmark: a kept-alive HTTP/1.1 connection and a
// WebSocket follower, blocking with a deadline on every read, so that no client library's work is
// in the figures.

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace tonel::bench {

using namespace std::chrono_literals;

// A blocking loopback connection with a deadline on every read.
class Socket {
public:
    explicit Socket(unsigned short port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("cannot connect to port " + std::to_string(port));
    }
    ~Socket() { ::close(fd_); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

    void send(const std::string& bytes)
    {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                throw std::runtime_error("send failed");
            done += static_cast<std::size_t>(n);
        }
    }
    // More bytes into the buffer; throws when none come within `deadline`.
    void receive(std::chrono::milliseconds deadline = 3000ms)
    {
        pollfd p{fd_, POLLIN, 0};
        char chunk[16384];
        const ssize_t n = ::poll(&p, 1, static_cast<int>(deadline.count())) == 1 ? ::read(fd_, chunk, sizeof chunk) : -1;
        if (n <= 0)
            throw std::runtime_error("nothing received");
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
    std::string buffer;

private:
    int fd_ = -1;
};

// One HTTP/1.1 request on a kept-alive connection, and its answer's status.
inline void sendRequest(Socket& socket, const std::string& method, const std::string& target, const std::string& body = {})
{
    socket.send(method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n" +
                "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
}
inline int readResponse(Socket& socket, std::string* body = nullptr)
{
    std::size_t end;
    while ((end = socket.buffer.find("\r\n\r\n")) == std::string::npos)
        socket.receive();
    const std::string head = socket.buffer.substr(0, end);
    std::size_t length = 0;
    if (const std::size_t at = head.find("Content-Length: "); at != std::string::npos)
        length = std::stoul(head.substr(at + 16));
    while (socket.buffer.size() < end + 4 + length)
        socket.receive();
    if (body)
        *body = socket.buffer.substr(end + 4, length);
    socket.buffer.erase(0, end + 4 + length);
    return std::stoi(head.substr(9, 3));
}

// A WebSocket follower of one processor; the server's frames are never masked.
class LiveSocket : public Socket {
public:
    LiveSocket(unsigned short port, const std::string& target) : Socket(port)
    {
        send("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        std::size_t end;
        while ((end = buffer.find("\r\n\r\n")) == std::string::npos)
            receive();
        if (buffer.compare(9, 3, "101") != 0)
            throw std::runtime_error("upgrade refused: " + buffer.substr(0, end));
        buffer.erase(0, end + 4);
        next();  // the processor's state
        next();  // and its image
    }
    // A whole message already in the buffer, taken from it.
    bool take(std::string& message)
    {
        if (buffer.size() < 2)
            return false;
        std::size_t length = static_cast<unsigned char>(buffer[1]) & 0x7f;
        std::size_t header = 2;
        if (length >= 126) {
            const std::size_t bytes = length == 126 ? 2 : 8;
            if (buffer.size() < 2 + bytes)
                return false;
            length = 0;
            for (std::size_t i = 0; i < bytes; ++i)
                length = (length << 8) | static_cast<unsigned char>(buffer[2 + i]);
            header += bytes;
        }
        if (buffer.size() < header + length)
            return false;
        message = buffer.substr(header, length);
        buffer.erase(0, header + length);
        return true;
    }
    std::string next()
    {
        std::string message;
        while (!take(message))
            receive();
        return message;
    }
};


}  // namespace tonel::bench
