#pragma once
// Port numbers for the session: the scan of the present ports and the number used to close.

#include "device/SerialPort.h"

#include <cstddef>
#include <vector>

namespace tonel {

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 256;

// The catalog's ports in ascending order, numbers outside 1..256 dropped, at most maxCount
// entries (the lowest numbers are kept).
std::vector<int> scanPresentPorts(const PortCatalog& catalog, std::size_t maxCount);

// The lowest number 1..256 found in neither list, 257 when every number is taken. Opening it
// closes the port object without touching a real device.
int absentPortNumber(const std::vector<int>& listed, const std::vector<int>& present);

}  // namespace tonel
