#include "web/server/StaticFiles.h"

#include "device/SmallFile.h"

#include <algorithm>

namespace tonel::web {
namespace {

bool endsWith(const std::string& text, std::string_view end) { return text.ends_with(end); }

}  // namespace

std::optional<std::string> StaticFiles::contentType(const std::string& name)
{
    static const std::pair<std::string_view, std::string_view> kTypes[] = {
        {".html", "text/html; charset=utf-8"}, {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"}, {".svg", "image/svg+xml"},
        {".png", "image/png"}, {".ico", "image/x-icon"}, {".json", "application/json"},
        {".webmanifest", "application/manifest+json"}, {".woff2", "font/woff2"},
    };
    for (const auto& [ending, type] : kTypes) {
        if (endsWith(name, ending))
            return std::string(type);
    }
    return std::nullopt;
}

bool StaticFiles::isSafePath(const std::string& path)
{
    if (!path.starts_with('/') || path.size() > 200)
        return false;
    const bool plain = std::all_of(path.begin(), path.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.' || c == '/';
    });
    if (!plain)
        return false;
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view step = std::string_view(path).substr(start, end - start);
        if (step.empty() || step.starts_with('.'))
            return false;
        start = end + 1;
    }
    return true;
}

std::optional<WebResponse> StaticFiles::serve(const std::string& path) const
{
    const std::string name = path == "/" ? "/index.html" : path;
    if (!isSafePath(name))
        return std::nullopt;
    const std::optional<std::string> type = contentType(name);
    if (!type)
        return std::nullopt;
    SmallFile file = readSmallFile(folder_ + name, kMaxFileBytes);
    if (!file.text)
        return std::nullopt;
    // The panel changes with the service: always asked for again, cheap on a LAN.
    return WebResponse{200, *type, std::move(*file.text), {{"Cache-Control", "no-cache"}}};
}

}  // namespace tonel::web
