#include "app/DisplayCheck.h"

#include <cstdlib>

namespace tonel {

namespace {
bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}
}  // namespace

std::string missingDisplayMessage()
{
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"))
        return {};
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set; start tonel inside a desktop session "
           "(or with QT_QPA_PLATFORM=offscreen)";
}

}  // namespace tonel
