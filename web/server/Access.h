#pragma once
// Who may use the service. On loopback without a token file anybody on this machine may (as with
// the panel itself); everywhere else a shared token is required: a browser gives it once in the
// address (/?token=…) and then carries it in a cookie, a script sends "Authorization: Bearer …".

#include "web/server/WebMessage.h"

#include <optional>
#include <string>
#include <string_view>

namespace tonel::web {

inline constexpr std::string_view kTokenCookie = "tonel_token";
inline constexpr std::size_t kMinTokenLength = 16;
inline constexpr std::size_t kMaxTokenLength = 512;

// A host to listen on that only this machine reaches: 127.0.0.0/8, ::1, "localhost".
bool isLoopbackHost(std::string_view host);

// The token from its file (surrounding blanks and the final newline dropped), or the reason why not.
struct TokenLoad {
    std::optional<std::string> token;
    std::string error;
};
TokenLoad readTokenFile(const std::string& path);

// Equal in time that depends only on the length of `expected`, so a wrong guess teaches nothing.
bool equalInConstantTime(std::string_view given, std::string_view expected);

class AccessPolicy {
public:
    AccessPolicy() = default;  // open: loopback without a token
    explicit AccessPolicy(std::string token) : token_(std::move(token)) {}

    bool needsToken() const { return token_.has_value(); }
    bool admits(const WebRequest& request) const;
    // "GET /?token=…" (a link) or "POST /" with the form field token=… (the panel's sign-in) with
    // the right token: a redirect to "/" that sets the cookie; with a wrong one the refusal.
    // Nothing for any other request.
    std::optional<WebResponse> login(const WebRequest& request) const;
    // What a request without the token gets: a JSON refusal for the API, a page for a browser.
    WebResponse refusal(const WebRequest& request) const;

private:
    std::optional<std::string> token_;
};

// A WebSocket upgrade from a page of another site is refused: its Origin must name this host.
bool originMatchesHost(std::string_view origin, std::string_view host);

}  // namespace tonel::web
