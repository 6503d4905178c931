#pragma once
// Where tonelctl writes: results to `out`, failures to `err`; and the exit codes it ends with.

#include <ostream>
#include <string_view>

namespace tonel::ctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a device or a file failed (diff: the files differ)
inline constexpr int kExitUsage = 2;   // the command line was wrong (diff: any trouble)

struct Console {
    std::ostream& out;
    std::ostream& err;

    // "tonelctl: <what>" on the error stream; returns `code` for the caller to end with.
    int fail(std::string_view what, int code) const
    {
        err << "tonelctl: " << what << '\n';
        return code;
    }
};

}  // namespace tonel::ctl
