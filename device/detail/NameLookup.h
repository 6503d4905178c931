#pragma once
// A name lookup that ends by the connect deadline or on shutdown. getaddrinfo() has no deadline of
// its own, so it runs on a helper thread of its own; a waiter that gives up leaves it behind, and
// the helper frees what it found when it ends.

#include "device/LineFailure.h"

#include <chrono>
#include <functional>
#include <memory>
#include <netdb.h>
#include <string>

namespace tonel::detail {

// getaddrinfo()'s shape: 0 and `found` (freed with freeaddrinfo), or an EAI_* code.
using Resolver = std::function<int(const std::string& host, const std::string& service, addrinfo** found)>;

// The system's lookup of a stream socket's addresses, the service a port number.
int systemResolve(const std::string& host, const std::string& service, addrinfo** found);

struct AddressesFree {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using Addresses = std::unique_ptr<addrinfo, AddressesFree>;

// The addresses of `host`; null with `failure` filled when the lookup failed or did not end by
// `deadline`, null with `failure` left empty when `shutdownFd` became readable first.
Addresses lookUp(const Resolver& resolver, const std::string& host, const std::string& service,
                 std::chrono::steady_clock::time_point deadline, int shutdownFd, PortError& failure);

}  // namespace tonel::detail
