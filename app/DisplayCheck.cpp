#include "app/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

namespace tonel {

namespace {
bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt takes "-platform NAME", with one dash or two, wherever it stands.
bool namesPlatform(int argc, const char* const* argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            return true;
    }
    return false;
}
}  // namespace

std::string missingDisplayMessage(int argc, const char* const* argv)
{
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM") || namesPlatform(argc, argv))
        return {};
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set; start tonel inside a desktop session "
           "(or with QT_QPA_PLATFORM=offscreen)";
}

}  // namespace tonel
