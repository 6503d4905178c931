#include "web/server/WebMessage.h"

#include <nlohmann/json.hpp>

namespace tonel::web {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string WebRequest::path() const { return target.substr(0, target.find('?')); }

std::string WebRequest::query(std::string_view name) const
{
    const std::size_t mark = target.find('?');
    if (mark == std::string::npos)
        return {};
    std::string_view rest = std::string_view(target).substr(mark + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
        const std::size_t eq = pair.find('=');
        std::string key;
        if (!percentDecode(pair.substr(0, eq), key) || key != name)
            continue;
        std::string value;
        if (eq != std::string_view::npos && percentDecode(pair.substr(eq + 1), value))
            return value;
        return {};
    }
    return {};
}

WebResponse errorResponse(int status, const std::string& text)
{
    return {status, "application/json", nlohmann::json{{"error", text}}.dump(), {}};
}

bool percentDecode(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
        } else {
            if (i + 2 >= text.size())
                return false;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return true;
}

}  // namespace tonel::web
