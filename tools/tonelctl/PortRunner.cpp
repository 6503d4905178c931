#include "tools/tonelctl/PortRunner.h"

#include "device/PortName.h"

#include <mutex>
#include <thread>

namespace tonel::ctl {

std::vector<PortOutcome> runOnPorts(const std::vector<std::string>& ports, const PortJob& job,
                                    const PortFinished& finished)
{
    std::vector<PortOutcome> outcomes(ports.size());
    std::mutex reporting;  // one port's report at a time: lines never interleave
    std::vector<std::jthread> workers;
    workers.reserve(ports.size());
    for (std::size_t i = 0; i < ports.size(); ++i)
        workers.emplace_back([&, i] {
            outcomes[i] = job(i, ports[i]);
            if (finished) {
                const std::lock_guard lock(reporting);
                finished(i, outcomes[i]);
            }
        });
    workers.clear();  // joins
    return outcomes;
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
