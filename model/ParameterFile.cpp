#include "model/ParameterFile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonel {
namespace {

constexpr int kTempAttempts = 100;

FileResult failure(FileStatus status, int error) { return {status, std::strerror(error)}; }

// Closes the descriptor when the scope ends, whatever path leaves it.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        const int error = errno;  // a close on a failure path must not hide the failure's reason
        release();
        errno = error;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Reads up to `size` bytes, retrying interrupted and partial reads; -1 on error. A pipe with a
// writer that has nothing yet is waited on, but not past kQuietLimitMs of silence (ETIME); a pipe
// without one ends at once, as a writer that may come is not waited for.
ssize_t readUpTo(int fd, std::uint8_t* data, std::size_t size)
{
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, data + total, size - total);
        if (n < 0 && errno == EAGAIN) {
            pollfd watch{fd, POLLIN, 0};
            const int ready = ::poll(&watch, 1, kQuietLimitMs);
            if (ready == 0)
                errno = ETIME;
            if (ready <= 0 && errno != EINTR)
                return -1;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(total);
}

bool writeAll(const FileOperations& ops, int fd, const std::uint8_t* data, std::size_t size)
{
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ops.write(fd, data + total, size - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        total += static_cast<std::size_t>(n);
    }
    return true;
}

// The folder part of a path, with its trailing slash; empty for a bare file name.
std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new file beside the target; its name is unique so an existing file is never touched, and
// short, so a target whose name is as long as the folder allows still gets one.
int createTemporary(const std::string& path, std::string& tempPath)
{
    const std::string folder = folderOf(path);
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = folder + ".tonel-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Where a save lands: the file a symbolic link leads to (writing to the path would change that
// file, not the link); the path itself for anything else, a dangling link included.
std::string linkTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// Writes, flushes and closes the file; false with errno set on any failure.
bool fillAndClose(const FileOperations& ops, int fd, const ImageBytes& bytes, bool truncate)
{
    Descriptor file(fd);
    if (!writeAll(ops, file.get(), bytes.data(), bytes.size()))
        return false;
    // Cut what a longer old file had beyond the image only after the image is written: a disk
    // that is full still takes bytes over blocks the file already has.
    if (truncate && ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0)
        return false;
    if (ops.sync(file.get()) != 0)
        return false;
    return file.release() == 0;
}

// A rename may replace the file only when it changes nothing but the content: a plain file with
// one name, ours, in a folder we may write to. Anything else (a file shared with the group,
// hard links, a folder we cannot write or a sticky one that is not ours) is written in place.
bool mayReplaceByRename(const std::string& target, const struct stat& info)
{
    if (!S_ISREG(info.st_mode) || info.st_nlink != 1 || info.st_uid != ::geteuid())
        return false;
    const std::string folder = folderOf(target);
    return ::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The new file takes over the old one's permissions and group, or it may not replace it.
bool takeOverAttributes(int fd, const struct stat& info)
{
    return ::fchmod(fd, info.st_mode & 07777) == 0 && ::fchown(fd, static_cast<uid_t>(-1), info.st_gid) == 0;
}

FileResult saveInPlace(const std::string& target, const ImageBytes& bytes, const FileOperations& ops)
{
    // No O_CREAT: the file exists, and a sticky folder may refuse creating what it already has.
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failure(FileStatus::WriteFailed, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISREG(info.st_mode) ? errno : EINVAL;
        ::close(fd);
        return failure(FileStatus::WriteFailed, error);
    }
    if (!fillAndClose(ops, fd, bytes, true))
        return failure(FileStatus::WriteFailed, errno);
    return {};
}

// Temporary file and rename; false without a result when the attributes cannot be carried over.
std::optional<FileResult> saveByRename(const std::string& target, const struct stat* existing,
                                       const ImageBytes& bytes, const FileOperations& ops)
{
    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0)
        return failure(FileStatus::WriteFailed, errno);
    if (existing != nullptr && !takeOverAttributes(fd, *existing)) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return std::nullopt;
    }
    if (!fillAndClose(ops, fd, bytes, false) || ops.rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return failure(FileStatus::WriteFailed, error);
    }
    return FileResult{};
}

}  // namespace

FileOperations FileOperations::posix()
{
    return {
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return std::rename(from, to); },
    };
}

FileResult loadParameterFile(const std::string& path, ParameterImage& image)
{
    // Non-blocking: opening a named pipe for reading would otherwise wait for a writer forever.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return failure(FileStatus::OpenFailed, errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(FileStatus::OpenFailed, errno);
    if (S_ISDIR(info.st_mode))
        return failure(FileStatus::OpenFailed, EISDIR);

    // One byte more than an image tells a long file from a parameter file. The size the system
    // gives is not trusted: a /proc file says 0, a pipe has none.
    const bool regular = S_ISREG(info.st_mode);
    std::array<std::uint8_t, kImageSize + 1> buffer{};
    const ssize_t n = readUpTo(file.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == ETIME)
        return {FileStatus::ReadFailed, "nothing arrived for " + std::to_string(kQuietLimitMs / 1000) + " s"};
    if (n < 0)
        return failure(FileStatus::ReadFailed, errno);
    const auto length = static_cast<std::uint64_t>(n);
    if (length != kImageSize) {
        const auto size = static_cast<std::uint64_t>(info.st_size);
        const bool sized = regular && size >= length;  // the system's size covers what was read
        return {FileStatus::Invalid, {}, sized ? size : length, !sized && length > kImageSize};
    }
    image.replaceAll(std::span<const std::uint8_t, kImageSize>(buffer.data(), kImageSize));
    return {};
}

FileResult saveParameterFile(const std::string& path, const ParameterImage& image)
{
    return saveParameterFile(path, image, FileOperations::posix());
}

FileResult saveParameterFile(const std::string& path, const ParameterImage& image, const FileOperations& ops)
{
    const std::string target = linkTarget(path);
    struct stat info {};
    const struct stat* existing = ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? &info : nullptr;
    if (existing != nullptr && !mayReplaceByRename(target, *existing))
        return saveInPlace(target, image.bytes(), ops);
    if (auto renamed = saveByRename(target, existing, image.bytes(), ops))
        return *renamed;
    return saveInPlace(target, image.bytes(), ops);
}

}  // namespace tonel
