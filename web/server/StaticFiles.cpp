#include "web/server/StaticFiles.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonel::web {
namespace {

bool endsWith(const std::string& text, std::string_view end) { return text.ends_with(end); }

std::optional<std::string> readWhole(const std::string& path, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= limit) {
        text.emplace();
        char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || text->size() + static_cast<std::size_t>(n) > limit) {
                if (n != 0)
                    text.reset();
                break;
            }
            text->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return text;
}

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
    std::optional<std::string> body = readWhole(folder_ + name, kMaxFileBytes);
    if (!body)
        return std::nullopt;
    // The panel changes with the service: always asked for again, cheap on a LAN.
    return WebResponse{200, *type, std::move(*body), {{"Cache-Control", "no-cache"}}};
}

}  // namespace tonel::web
