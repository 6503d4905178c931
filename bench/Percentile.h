#pragma once
// The value a fraction of the way up a set of samples (0.5 the median, 0.99 the 99th percentile).

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tonel::bench {

inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

}  // namespace tonel::bench
