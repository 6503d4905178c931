#include "device/detail/NameLookup.h"

#include "device/detail/LineTransport.h"

#include <cerrno>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tonel::detail {
namespace {

// Shared by the waiter and the helper thread; whichever lets go last frees it.
struct Lookup {
    Lookup() = default;
    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;
    ~Lookup()
    {
        if (found != nullptr)
            ::freeaddrinfo(found);
        if (doneFd >= 0)
            ::close(doneFd);
    }

    const int doneFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    std::mutex mutex;
    int code = 0;
    int systemError = 0;
    addrinfo* found = nullptr;
};

}  // namespace

int systemResolve(const std::string& host, const std::string& service, addrinfo** found)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    return ::getaddrinfo(host.c_str(), service.c_str(), &hints, found);
}

Addresses lookUp(const Resolver& resolver, const std::string& host, const std::string& service,
                 std::chrono::steady_clock::time_point deadline, int shutdownFd, PortError& failure)
{
    auto lookup = std::make_shared<Lookup>();
    if (lookup->doneFd < 0) {
        failure = {"eventfd()", errno};
        return nullptr;
    }
    try {
        std::thread([lookup, resolver, host, service] {
            addrinfo* found = nullptr;
            const int code = resolver(host, service, &found);
            const int systemError = errno;
            {
                std::lock_guard lock(lookup->mutex);
                lookup->code = code;
                lookup->systemError = systemError;
                lookup->found = found;
            }
            const std::uint64_t one = 1;
            [[maybe_unused]] ssize_t n = ::write(lookup->doneFd, &one, sizeof one);
        }).detach();
    } catch (const std::system_error& error) {
        failure = {"pthread_create()", error.code().value()};
        return nullptr;
    }

    pollfd fds[2] = {{shutdownFd, POLLIN, 0}, {lookup->doneFd, POLLIN, 0}};
    int n = 0;
    while ((n = ::poll(fds, 2, remainingMs(deadline))) < 0 && errno == EINTR) {
    }
    if (n < 0) {
        failure = {"poll()", errno};
        return nullptr;
    }
    if (fds[0].revents & POLLIN) {
        failure = {};
        return nullptr;
    }
    if (n == 0) {
        failure = {LineFault::LookupTimedOut, "getaddrinfo()", 0};
        return nullptr;
    }
    std::lock_guard lock(lookup->mutex);
    if (lookup->code != 0) {
        const int systemError = lookup->code == EAI_SYSTEM ? lookup->systemError : 0;
        failure = {faultOfLookup(lookup->code, systemError), "getaddrinfo()", systemError};
        return nullptr;
    }
    return Addresses(std::exchange(lookup->found, nullptr));
}

}  // namespace tonel::detail
