#include "device/SmallFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonel {

SmallFile readSmallFile(const std::string& path, std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return {std::nullopt, SmallFileFault::CannotOpen, path + ": " + std::strerror(errno)};
    SmallFile result;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = {std::nullopt, SmallFileFault::NotRegular, path + ": not a regular file"};
    } else {
        std::string text;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = {std::nullopt, SmallFileFault::CannotRead, path + ": " + std::strerror(errno)};
                break;
            }
            if (n == 0) {
                result.text = std::move(text);
                break;
            }
            text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > maxBytes) {
                result = {std::nullopt, SmallFileFault::TooLarge,
                          path + ": larger than " + std::to_string(maxBytes) + " bytes"};
                break;
            }
        }
    }
    ::close(fd);
    return result;
}

}  // namespace tonel
