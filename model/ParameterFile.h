#pragma once
// Parameter files (*.cfg): exactly the 188 image bytes, nothing else.

#include "model/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

namespace tonel {

enum class FileStatus {
    Ok,
    Invalid,     // the file is not 188 bytes long
    OpenFailed,  // cannot be opened (missing, no permission, a folder)
    ReadFailed,
    WriteFailed, // save: the file may not hold the image (the reason says why)
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string reason;  // the system's text for the failure (strerror), empty on success
    // Invalid: the bytes the file held. A pipe or a device is read one byte past an image at most:
    // `longer` then says it held at least `length`, and maybe more.
    std::uint64_t length = 0;
    bool longer = false;
    bool ok() const { return status == FileStatus::Ok; }
};

// The calls a save makes that can fail late; tests replace them to simulate a full disk or a
// rename that is refused. Each returns like its POSIX namesake (-1 and errno on failure).
struct FileOperations {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> sync;
    std::function<int(const char* from, const char* to)> rename;

    static FileOperations posix();
};

// Replaces the whole image on success; leaves it unchanged on any failure. A file is read, not
// sized: a pipe, /dev/stdin or a /proc file loads as a plain file does. A pipe with no writer
// reads as empty (no writer is waited for); one whose writer stays silent for kQuietLimitMs, or
// a device that does, fails to read.
inline constexpr int kQuietLimitMs = 3000;
FileResult loadParameterFile(const std::string& path, ParameterImage& image);

// The file ends as exactly the image's bytes, flushed to disk, or the result says it failed.
// A file of our own with one name, in a folder we may write to, is replaced by a temporary file
// renamed over it, so a failure keeps the previous file. Any other existing file (another user's,
// one with hard links, one in a folder we cannot write to) is overwritten in place, keeping its
// owner, group, permissions and links as those who share it expect.
FileResult saveParameterFile(const std::string& path, const ParameterImage& image);
FileResult saveParameterFile(const std::string& path, const ParameterImage& image, const FileOperations& ops);

}  // namespace tonel
