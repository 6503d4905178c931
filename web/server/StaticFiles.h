#pragma once
// The browser panel's own files, served from one folder: only names that cannot leave it, only the
// kinds a page needs, each read whole within a bound.

#include "web/server/WebMessage.h"

#include <optional>
#include <string>

namespace tonel::web {

class StaticFiles {
public:
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    explicit StaticFiles(std::string folder) : folder_(std::move(folder)) {}
    const std::string& folder() const { return folder_; }

    // The file for a GET of `path` ("/" is index.html); nothing when the path is not one of ours.
    std::optional<WebResponse> serve(const std::string& path) const;

    // The content type for a file name, nothing for a kind the panel does not use.
    static std::optional<std::string> contentType(const std::string& name);
    // A path that names a file inside the folder: letters, digits, "-", "_", "." and "/" only,
    // no empty, "." or ".." step and no hidden file.
    static bool isSafePath(const std::string& path);

private:
    std::string folder_;
};

}  // namespace tonel::web
