#include "tools/tonelctl/PortRunner.h"

#include "device/PortName.h"

#include <thread>

namespace tonel::ctl {

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
        console.out << printable(ports[i]) << '\t' << (o.ok ? "ok" : "failed") << '\t' << printable(o.detail) << '\n';
        if (!o.ok)
            code = console.fail(ports[i] + ": " + o.detail, kExitFailed);
    }
    return code;
}

std::optional<std::string> malformedPortName(const std::string& name)
{
    if (!name.empty() && parsePortName(name).kind != PortName::Kind::Invalid)
        return std::nullopt;
    return "\"" + name + "\" is not a port name (a tty path such as /dev/ttyUSB0, tcp://HOST:PORT or rfc2217://HOST:PORT)";
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
