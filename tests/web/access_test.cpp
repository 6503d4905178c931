// Who may use the service: loopback, the token in a header, a cookie or the sign-in address.

#include "web/server/Access.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace tonel::testing {
namespace {

using web::AccessPolicy;
using web::WebRequest;

constexpr const char* kToken = "s3cret-venue-token-0123";

WebRequest request(std::string target, std::string authorization = {}, std::string cookie = {})
{
    WebRequest r;
    r.method = "GET";
    r.target = std::move(target);
    r.authorization = std::move(authorization);
    r.cookie = std::move(cookie);
    return r;
}

TEST(Access, AdmitsOnlyTheRightToken)
{
    const AccessPolicy policy{kToken};
    const std::string bearer = std::string("Bearer ") + kToken;
    const std::string cookie = std::string("theme=dark; tonel_token=") + kToken;
    EXPECT_TRUE(policy.admits(request("/api/processors", bearer)));
    EXPECT_TRUE(policy.admits(request("/api/processors", "bearer  " + std::string(kToken))));
    EXPECT_TRUE(policy.admits(request("/", {}, cookie)));
    EXPECT_FALSE(policy.admits(request("/api/processors")));
    EXPECT_FALSE(policy.admits(request("/api/processors", bearer + "x")));
    EXPECT_FALSE(policy.admits(request("/api/processors", "Basic " + std::string(kToken))));
    EXPECT_FALSE(policy.admits(request("/", {}, "tonel_token=s3cret")));
    EXPECT_FALSE(policy.admits(request("/", "Bearer wrong", cookie)));  // a wrong header is not rescued
    EXPECT_TRUE(AccessPolicy{}.admits(request("/api/processors")));
}

TEST(Access, SignInSetsAStrictCookieAndDropsTheTokenFromTheAddress)
{
    const AccessPolicy policy{kToken};
    const auto signedIn = policy.login(request(std::string("/?token=") + kToken));
    ASSERT_TRUE(signedIn);
    EXPECT_EQ(signedIn->status, 303);
    ASSERT_EQ(signedIn->headers.size(), 2u);
    EXPECT_EQ(signedIn->headers[0].second, "/");
    EXPECT_EQ(signedIn->headers[1].second,
              std::string("tonel_token=") + kToken + "; Path=/; HttpOnly; SameSite=Strict; Max-Age=31536000");
    EXPECT_EQ(policy.login(request("/?token=guess"))->status, 401);
    EXPECT_EQ(AccessPolicy{"base64+token/0123456"}.login(request("/?token=base64+token%2F0123456"))->status, 303);
    EXPECT_FALSE(policy.login(request("/rooms")));
    // The panel's form posts the token instead, from this site only.
    const auto posted = [&](std::string body, std::string origin) {
        WebRequest r = request("/");
        r.method = "POST";
        r.contentType = "application/x-www-form-urlencoded";
        r.host = "venue.lan:8380";
        r.origin = std::move(origin);
        r.body = std::move(body);
        return policy.login(r).value_or(web::WebResponse{0});
    };
    EXPECT_EQ(posted(std::string("token=") + kToken, "http://venue.lan:8380").status, 303);
    EXPECT_EQ(posted(std::string("token=") + kToken, "http://evil.example").status, 401);
    EXPECT_EQ(posted("token=guess", "http://venue.lan:8380").status, 401);
    const auto api = policy.refusal(request("/api/processors"));
    EXPECT_EQ(api.body, R"({"error":"the access token is missing or wrong"})");
    EXPECT_EQ(policy.refusal(request("/")).contentType, "text/html; charset=utf-8");
}

TEST(Access, ComparesWholeTokens)
{
    EXPECT_TRUE(web::equalInConstantTime("abc", "abc"));
    EXPECT_FALSE(web::equalInConstantTime("ab", "abc"));
    EXPECT_FALSE(web::equalInConstantTime("abcd", "abc"));
    EXPECT_FALSE(web::equalInConstantTime("", "abc"));
    EXPECT_FALSE(web::equalInConstantTime("abd", "abc"));
}

TEST(Access, KnowsLoopbackHostsAndSameOriginUpgrades)
{
    for (const char* host : {"127.0.0.1", "127.8.9.10", "::1", "[::1]", "localhost"})
        EXPECT_TRUE(web::isLoopbackHost(host)) << host;
    for (const char* host : {"0.0.0.0", "::", "10.1.0.5", "192.168.1.2", "venue.local", "128.0.0.1", ""})
        EXPECT_FALSE(web::isLoopbackHost(host)) << host;
    EXPECT_TRUE(web::originMatchesHost("http://10.1.0.5:8380", "10.1.0.5:8380"));
    EXPECT_TRUE(web::originMatchesHost("https://Venue.Local", "venue.local"));
    EXPECT_TRUE(web::originMatchesHost("", "10.1.0.5:8380"));  // not a browser
    EXPECT_FALSE(web::originMatchesHost("http://evil.example", "10.1.0.5:8380"));
    EXPECT_FALSE(web::originMatchesHost("http://10.1.0.5:8381", "10.1.0.5:8380"));
    EXPECT_FALSE(web::originMatchesHost("null", "10.1.0.5:8380"));
    EXPECT_FALSE(web::originMatchesHost("http://10.1.0.5:8380/x", "10.1.0.5:8380"));
}

TEST(Access, ReadsATokenFileOrSaysWhyNot)
{
    char path[] = "/tmp/token-XXXXXX";
    ::close(::mkstemp(path));
    const auto write = [&](const std::string& text) { std::ofstream(path, std::ios::binary) << text; };
    write(std::string("  ") + kToken + "\n");
    EXPECT_EQ(web::readTokenFile(path).token, kToken);
    write("short\n");
    EXPECT_EQ(web::readTokenFile(path).error, std::string(path) + ": the token must have at least 16 characters");
    write("has a blank inside it\n");
    EXPECT_NE(web::readTokenFile(path).error.find("only printable characters"), std::string::npos);
    write(std::string(600, 'a'));
    EXPECT_NE(web::readTokenFile(path).error.find("longer than a token"), std::string::npos);
    std::remove(path);
    EXPECT_EQ(web::readTokenFile("/dev/null").error, "/dev/null: not a regular file");
}

}  // namespace
}  // namespace tonel::testing
