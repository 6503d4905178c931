#include "app/TonelOptions.h"

namespace tonel {

namespace {
TonelOptionsResult failure(const std::string& why)
{
    return {std::nullopt, "tonel: " + why + "; " + kTonelUsage};
}

bool isOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }
}  // namespace

TonelOptionsResult parseTonelOptions(const std::vector<std::string>& args)
{
    TonelOptions options;
    bool optionsEnded = false;  // after "--" everything is a file name
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && isOption(arg)) {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--demo") {
                options.demo = true;
            } else if (arg == "--help" || arg == "-h") {
                options.help = true;
            } else if (arg == "--port") {
                if (i + 1 >= args.size() || args[i + 1].empty())
                    return failure("--port needs a device");
                options.ports.push_back(args[++i]);
            } else if (arg.rfind("--port=", 0) == 0 && arg.size() > 7) {
                options.ports.push_back(arg.substr(7));
            } else {
                return failure("unknown option '" + arg + "'");
            }
        } else if (options.file.empty() && !arg.empty()) {
            options.file = arg;
        } else {
            return failure("more than one file given ('" + arg + "')");
        }
    }
    return {options, {}};
}

}  // namespace tonel
