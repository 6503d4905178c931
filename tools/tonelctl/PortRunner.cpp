#include "tools/tonelctl/PortRunner.h"

#include <thread>

namespace tonel::ctl {
namespace {

bool validHostPort(std::string_view rest)
{
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == rest.size())
        return false;
    const std::string_view port = rest.substr(colon + 1);
    if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const int number = std::stoi(std::string(port));
    return number >= 1 && number <= 65535 && rest.substr(0, colon).find_first_of("/ ") == std::string_view::npos;
}

}  // namespace

std::vector<PortOutcome> runOnPorts(const std::vector<std::string>& ports, const PortJob& job)
{
    std::vector<PortOutcome> outcomes(ports.size());
    std::vector<std::jthread> workers;
    workers.reserve(ports.size());
    for (std::size_t i = 0; i < ports.size(); ++i)
        workers.emplace_back([&, i] { outcomes[i] = job(i, ports[i]); });
    workers.clear();  // joins
    return outcomes;
}

int reportOutcomes(const std::vector<std::string>& ports, const std::vector<PortOutcome>& outcomes,
                   const Console& console)
{
    int code = kExitOk;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const PortOutcome& o = outcomes[i];
        console.out << ports[i] << '\t' << (o.ok ? "ok" : "failed") << '\t' << o.detail << '\n';
        if (!o.ok) {
            console.err << "tonelctl: " << ports[i] << ": " << o.detail << '\n';
            code = kExitFailed;
        }
    }
    return code;
}

std::optional<std::string> malformedPortName(const std::string& name)
{
    const std::string hint = " (a tty path such as /dev/ttyUSB0, tcp://HOST:PORT or rfc2217://HOST:PORT)";
    if (name.empty())
        return "an empty port name" + hint;
    for (std::string_view scheme : {"tcp://", "rfc2217://"})
        if (name.starts_with(scheme))
            return validHostPort(std::string_view(name).substr(scheme.size()))
                       ? std::nullopt
                       : std::optional<std::string>("\"" + name + "\" is not a port name" + hint);
    if (name.find("://") != std::string::npos)
        return "\"" + name + "\" is not a port name" + hint;
    return std::nullopt;
}

std::string imageFileNameFor(const std::string& port)
{
    std::string name = port;
    if (const auto slash = name.rfind('/'); name.find("://") == std::string::npos && slash != std::string::npos)
        name = name.substr(slash + 1);
    std::string file;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (name.compare(i, 3, "://") == 0) {
            file += '-';
            i += 2;
        } else {
            file += (c == '/' || c == ':' || c == ' ') ? '-' : c;
        }
    }
    return file + ".cfg";
}

}  // namespace tonel::ctl
