#pragma once
// Where tonelctl writes: results to `out`, failures to `err`; and the exit codes it ends with.

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

namespace tonel::ctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a device or a file failed (diff: the files differ)
inline constexpr int kExitUsage = 2;   // the command line was wrong (diff: any trouble)

// `text` with its control characters and backslashes written as escapes (\n, \t, \\, \xNN), so a
// name holding a newline or a tab cannot add or split lines of the output that scripts read.
inline std::string printable(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            shown += "\\\\";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown;
}

struct Console {
    std::ostream& out;
    std::ostream& err;

    // "tonelctl: <what>" as one line on the error stream; returns `code` for the caller to end with.
    int fail(std::string_view what, int code) const
    {
        err << "tonelctl: " << printable(what) << '\n';
        return code;
    }
};

}  // namespace tonel::ctl
