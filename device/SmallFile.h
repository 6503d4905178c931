#pragma once
// A small file read whole, for settings a program starts from (the fleet file, a token) and the
// files a service hands out: regular files only, opened without blocking (a FIFO without a writer
// or a device would hold the reader), and never more than a bound.

#include <cstddef>
#include <optional>
#include <string>

namespace tonel {

enum class SmallFileFault { None, CannotOpen, NotRegular, TooLarge, CannotRead };

struct SmallFile {
    std::optional<std::string> text;
    SmallFileFault fault = SmallFileFault::None;
    std::string error;  // "PATH: No such file or directory", "PATH: not a regular file", "PATH: larger than N bytes"
};

SmallFile readSmallFile(const std::string& path, std::size_t maxBytes);

}  // namespace tonel
