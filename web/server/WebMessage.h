#pragma once
// A request and a response as the service's handlers see them: plain values, so the API is
// tested and fuzzed without a socket and the HTTP library stays in the server's own files.

#include <string>
#include <utility>
#include <vector>

namespace tonel::web {

struct WebRequest {
    std::string method;  // "GET", "PATCH", …
    std::string target;  // as sent: path and query
    std::string authorization;
    std::string cookie;
    std::string host;
    std::string origin;
    std::string contentType;
    std::string ifNoneMatch;  // the entity tag of the copy the client holds
    std::string body;
    bool fromLoopback = false;  // the peer's address, not anything the client says

    std::string path() const;  // the target up to "?", percent-decoding left to the router
    // The decoded value of a query parameter, empty when absent.
    std::string query(std::string_view name) const;
};

struct WebResponse {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;  // beyond the ones every answer has
};

// {"error": text} with `status`.
WebResponse errorResponse(int status, const std::string& text);

// Percent-decoding of a URL component (a "+" stays a "+": tokens may hold one); false for a
// malformed escape.
bool percentDecode(std::string_view text, std::string& out);

}  // namespace tonel::web
