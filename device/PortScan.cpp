#include "device/PortScan.h"

#include <algorithm>
#include <array>

namespace tonel {

std::vector<int> scanPresentPorts(const PortCatalog& catalog, std::size_t maxCount)
{
    std::vector<int> ports = catalog.presentPorts();
    std::erase_if(ports, [](int n) { return n < kFirstPortNumber || n > kLastPortNumber; });
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    if (ports.size() > maxCount)
        ports.resize(maxCount);
    return ports;
}

int absentPortNumber(const std::vector<int>& listed, const std::vector<int>& present)
{
    std::array<bool, kLastPortNumber + 1> taken{};
    for (const auto* ports : {&listed, &present}) {
        for (int n : *ports) {
            if (n >= kFirstPortNumber && n <= kLastPortNumber)
                taken[static_cast<std::size_t>(n)] = true;
        }
    }
    for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n) {
        if (!taken[static_cast<std::size_t>(n)])
            return n;
    }
    return kLastPortNumber + 1;
}

}  // namespace tonel
