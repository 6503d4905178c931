#pragma once
// A loopback server for one client that floods it: sends a prefix once, then one pattern over and
// over for a bounded time, and keeps what the client sends (read meanwhile, or trickled in while
// the flood lasts, so that the client's sends back up and find a little room again and again). A port that cannot keep up with it, or
// stops looking at anything else while it reads, shows here.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace tonel::testing {

class HostileServer {
public:
    HostileServer(std::string prefix, std::string pattern, std::chrono::milliseconds floodFor,
                  bool readWhileFlooding = true)
        : prefix_(std::move(prefix)), floodFor_(floodFor), readWhileFlooding_(readWhileFlooding)
    {
        while (chunk_.size() < 64 * 1024)
            chunk_ += pattern;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(listener_, 1) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~HostileServer()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stop_, &one, sizeof one);
        if (thread_.joinable())
            thread_.join();
        for (int fd : {listener_, stop_})
            ::close(fd);
    }

    bool ok() const { return port_ != 0; }
    std::string name(const char* scheme) const { return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_); }
    std::uint64_t sent() const { return sent_; }
    bool floodOver() const { return floodOver_; }
    // All the client sent, once it closed the connection; empty when it did not in time.
    std::string receivedWhenClosed(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return closed_; }) ? received_ : std::string();
    }
    // True once the client's bytes contain `text`.
    bool waitForReceived(const std::string& text, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return received_.find(text) != std::string::npos; });
    }

private:
    void run()
    {
        pollfd accepting[2] = {{stop_, POLLIN, 0}, {listener_, POLLIN, 0}};
        if (::poll(accepting, 2, -1) <= 0 || (accepting[0].revents & POLLIN))
            return;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0)
            return;
        std::string out = prefix_;
        const auto end = std::chrono::steady_clock::now() + floodFor_;
        for (bool reading = true; reading;) {
            const bool flooding = std::chrono::steady_clock::now() < end;
            floodOver_ = !flooding;
            const short events = (flooding ? POLLOUT : 0) | POLLIN;
            pollfd fds[2] = {{stop_, POLLIN, 0}, {client, events, 0}};
            if (::poll(fds, 2, flooding ? 10 : -1) < 0 || (fds[0].revents & POLLIN))
                break;
            if (fds[1].revents & POLLIN)
                reading = receive(client, flooding && !readWhileFlooding_ ? 16 : 512);
            if (flooding && (fds[1].revents & POLLOUT)) {
                if (out.empty())
                    out = chunk_;
                const ssize_t n = ::send(client, out.data(), out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n > 0) {
                    out.erase(0, static_cast<std::size_t>(n));
                    sent_ += static_cast<std::uint64_t>(n);
                }
            }
        }
        ::close(client);
    }
    bool receive(int client, std::size_t most)
    {
        char buffer[512];
        const ssize_t n = ::recv(client, buffer, std::min(most, sizeof buffer), MSG_DONTWAIT);
        std::lock_guard lock(mutex_);
        if (n <= 0) {
            closed_ = !(n < 0 && errno == EAGAIN);
            changed_.notify_all();
            return !closed_;
        }
        received_.append(buffer, static_cast<std::size_t>(n));
        changed_.notify_all();
        return true;
    }

    const std::string prefix_;
    std::string chunk_;
    const std::chrono::milliseconds floodFor_;
    const bool readWhileFlooding_;
    std::atomic<bool> floodOver_{false};
    bool closed_ = false;
    int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int stop_ = ::eventfd(0, EFD_CLOEXEC);
    std::uint16_t port_ = 0;
    std::atomic<std::uint64_t> sent_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string received_;
    std::thread thread_;
};

}  // namespace tonel::testing
