#pragma once
// Byte streams arrive cut anywhere: the ways a fuzz target cuts its input, so that a codec fed in
// pieces can be held to what it makes of the whole input at once.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tonel::fuzz {

using Cutting = std::vector<std::string_view>;

// One byte at a time; then, for a short input, every single cut; for a long one, a few random
// cuttings drawn from the input itself (the same input always cuts the same way).
inline std::vector<Cutting> cuttingsOf(std::string_view input)
{
    std::vector<Cutting> cuttings(1);
    for (std::size_t i = 0; i < input.size(); ++i)
        cuttings[0].push_back(input.substr(i, 1));
    constexpr std::size_t kEveryCutUpTo = 64;
    if (input.size() <= kEveryCutUpTo) {
        for (std::size_t cut = 0; cut <= input.size(); ++cut)
            cuttings.push_back({input.substr(0, cut), input.substr(cut)});
        return cuttings;
    }
    std::uint32_t seed = 2166136261u;  // FNV-1a of the input
    for (unsigned char c : input)
        seed = (seed ^ c) * 16777619u;
    for (int round = 0; round < 4; ++round) {
        Cutting& pieces = cuttings.emplace_back();
        for (std::size_t done = 0; done < input.size();) {
            seed = seed * 1664525u + 1013904223u;
            const std::size_t length = 1 + (seed >> 16) % 97;
            pieces.push_back(input.substr(done, length));
            done += length;
        }
    }
    return cuttings;
}

}  // namespace tonel::fuzz
