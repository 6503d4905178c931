#pragma once
// The responses of a graph's bands over the plot frequencies, each recomputed only when its
// band's four bytes change: a slider drag changes one band at a time.

#include "eq/math/FilterResponse.h"

#include <array>
#include <cstddef>
#include <deque>

namespace tonel {

class BandResponseCache {
public:
    using Response = std::array<double, kPlotPointCount>;  // dB at F_m, m = 0..120

    // The response of the band in `slot` (its place in the graph's order of bands). The
    // reference stays valid while other slots are asked for; the slot's next change replaces it.
    const Response& response(std::size_t slot, const EqBand& band);
    // How many responses were worked out, rather than found.
    int computations() const { return computations_; }

private:
    struct Entry {
        bool valid = false;
        EqBand band;
        Response db{};
    };
    std::deque<Entry> entries_;  // growing at its end moves no entry
    int computations_ = 0;
};

}  // namespace tonel
