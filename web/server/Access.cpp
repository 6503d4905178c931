#include "web/server/Access.h"

#include "device/SmallFile.h"

#include <arpa/inet.h>
#include <cctype>

namespace tonel::web {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isTokenCharacter(char c) { return c > 0x20 && c < 0x7F && c != ';' && c != ',' && c != '"' && c != '\\'; }

// The value of cookie `name` in a Cookie header ("a=1; tonel_token=…").
std::string_view cookieValue(std::string_view header, std::string_view name)
{
    while (!header.empty()) {
        const std::size_t semi = header.find(';');
        const std::string_view pair = trimmed(header.substr(0, semi));
        header = semi == std::string_view::npos ? std::string_view() : header.substr(semi + 1);
        const std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == name)
            return pair.substr(eq + 1);
    }
    return {};
}

std::string_view bearerToken(std::string_view header)
{
    constexpr std::string_view kScheme = "Bearer ";
    if (header.size() < kScheme.size())
        return {};
    for (std::size_t i = 0; i < kScheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(header[i])) != std::tolower(static_cast<unsigned char>(kScheme[i])))
            return {};
    }
    return trimmed(header.substr(kScheme.size()));
}

const char* kRefusalPage = R"(<!doctype html>
<html lang="en"><head><meta charset="utf-8"><meta name="viewport" content="width=device-width">
<title>Tonel — sign-in needed</title></head>
<body style="font-family:sans-serif;margin:2em">
<h1>Sign-in needed</h1>
<p>This panel needs the venue's access token. Open the address your installer gave you, which ends
in <code>/?token=…</code>, once on this device.</p>
</body></html>
)";

}  // namespace

bool isLoopbackHost(std::string_view host)
{
    if (host == "localhost")
        return true;
    const std::string text(host.starts_with('[') && host.ends_with(']') ? host.substr(1, host.size() - 2) : host);
    in_addr v4{};
    if (::inet_pton(AF_INET, text.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return ::inet_pton(AF_INET6, text.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

TokenLoad readTokenFile(const std::string& path)
{
    const SmallFile file = readSmallFile(path, kMaxTokenLength + 64);
    if (file.fault == SmallFileFault::TooLarge)
        return {std::nullopt, path + ": longer than a token (" + std::to_string(kMaxTokenLength) + " characters at most)"};
    if (!file.text)
        return {std::nullopt, file.error};
    const std::string& text = *file.text;
    const std::string_view token = trimmed(text);
    if (token.size() < kMinTokenLength)
        return {std::nullopt, path + ": the token must have at least " + std::to_string(kMinTokenLength) + " characters"};
    for (char c : token) {
        if (!isTokenCharacter(c))
            return {std::nullopt, path + ": the token may hold only printable characters without blanks, ; , \" or \\"};
    }
    return {std::string(token), {}};
}

bool equalInConstantTime(std::string_view given, std::string_view expected)
{
    // Every byte of `expected` is looked at whatever `given` holds.
    unsigned difference = given.size() == expected.size() ? 0U : 1U;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const char g = i < given.size() ? given[i] : 0;
        difference |= static_cast<unsigned char>(g ^ expected[i]);
    }
    return difference == 0;
}

bool AccessPolicy::admits(const WebRequest& request) const
{
    if (!token_)
        return true;
    if (const std::string_view bearer = bearerToken(request.authorization); !bearer.empty())
        return equalInConstantTime(bearer, *token_);
    const std::string_view cookie = cookieValue(request.cookie, kTokenCookie);
    return !cookie.empty() && equalInConstantTime(cookie, *token_);
}

std::optional<WebResponse> AccessPolicy::login(const WebRequest& request) const
{
    if (!token_ || request.path() != "/")
        return std::nullopt;
    std::string given;
    if (request.method == "GET" && request.target.find("token=") != std::string::npos) {
        given = request.query("token");
    } else if (request.method == "POST" && request.contentType.starts_with("application/x-www-form-urlencoded")) {
        // The panel's sign-in form: the token in the body, so it is in no address and no proxy's log.
        if (!originMatchesHost(request.origin, request.host))
            return refusal(request);
        WebRequest form;
        form.target = "/?" + request.body;  // the same decoding as the address's query
        given = form.query("token");
    } else {
        return std::nullopt;
    }
    if (!equalInConstantTime(given, *token_))
        return refusal(request);
    // The token leaves the address bar (and the browser's history) at once.
    WebResponse response{303, "text/plain; charset=utf-8", "signed in\n", {}};
    response.headers.emplace_back("Location", "/");
    response.headers.emplace_back("Set-Cookie", std::string(kTokenCookie) + "=" + *token_ +
                                                    "; Path=/; HttpOnly; SameSite=Strict; Max-Age=31536000");
    return response;
}

WebResponse AccessPolicy::refusal(const WebRequest& request) const
{
    WebResponse response = request.path().starts_with("/api/") || request.path() == "/metrics"
                               ? errorResponse(401, "the access token is missing or wrong")
                               : WebResponse{401, "text/html; charset=utf-8", kRefusalPage, {}};
    response.headers.emplace_back("WWW-Authenticate", "Bearer realm=\"tonel\"");
    return response;
}

bool originMatchesHost(std::string_view origin, std::string_view host)
{
    // A script outside a browser sends no Origin; a browser always does, and it cannot forge it.
    if (origin.empty())
        return true;
    const std::size_t scheme = origin.find("://");
    if (scheme == std::string_view::npos || host.empty())
        return false;
    const std::string_view authority = origin.substr(scheme + 3);
    if (authority.find('/') != std::string_view::npos)
        return false;
    if (authority.size() != host.size())
        return false;
    for (std::size_t i = 0; i < host.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(authority[i])) != std::tolower(static_cast<unsigned char>(host[i])))
            return false;
    }
    return true;
}

}  // namespace tonel::web
