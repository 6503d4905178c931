#include "model/ParameterFile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

// Reads up to `size` bytes, retrying interrupted and partial reads; -1 on error.
ssize_t readUpTo(int fd, std::uint8_t* data, std::size_t size)
{
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, data + total, size - total);
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

// The new file replaces the old one: it takes over the old file's permissions.
void keepPermissions(const std::string& target, int fd)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(fd, info.st_mode & 07777);
}

// Writes, flushes and closes the temporary file; false with errno set on any failure.
bool fillTemporary(const FileOperations& ops, int fd, const ImageBytes& bytes)
{
    Descriptor file(fd);
    if (!writeAll(ops, file.get(), bytes.data(), bytes.size()))
        return false;
    if (ops.sync(file.get()) != 0)
        return false;
    return file.release() == 0;
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
    if (!S_ISREG(info.st_mode))
        return {FileStatus::Invalid, {}};  // a pipe or a device has no length of 188 bytes

    // One byte more than an image tells a long file from a parameter file.
    std::array<std::uint8_t, kImageSize + 1> buffer{};
    const ssize_t n = readUpTo(file.get(), buffer.data(), buffer.size());
    if (n < 0)
        return failure(FileStatus::ReadFailed, errno);
    if (static_cast<std::size_t>(n) != kImageSize)
        return {FileStatus::Invalid, {}};
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
    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0)
        return failure(FileStatus::WriteFailed, errno);
    keepPermissions(target, fd);
    if (!fillTemporary(ops, fd, image.bytes()) || ops.rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return failure(FileStatus::WriteFailed, error);
    }
    return {};
}

}  // namespace tonel
