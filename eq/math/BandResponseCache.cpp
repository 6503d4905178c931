#include "eq/math/BandResponseCache.h"

#include "eq/math/VectorUnit.h"

namespace tonel {

const BandResponseCache::Response& BandResponseCache::response(std::size_t slot, const EqBand& band)
{
    if (slot >= entries_.size())
        entries_.resize(slot + 1);
    Entry& entry = entries_[slot];
    if (!entry.valid || !(entry.band == band)) {
        clearUpperVectorState();  // whatever ran before may have left it dirty
        bandResponseOverPlot(band, entry.db);
        entry.band = band;
        entry.valid = true;
        ++computations_;
    }
    return entry.db;
}

}  // namespace tonel
