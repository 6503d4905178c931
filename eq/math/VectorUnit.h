#pragma once
// Leaves the upper halves of the vector registers clean.
//
// Qt 6.4's seeded string hash (every QHash with a string key) and its AVX2 memory fill (every
// solid span the raster engine paints) return from 256-bit code without `vzeroupper` on CPUs
// with VAES. From then on every SSE instruction of the process — libm's log, atan2 and pow, our
// response math, Qt's stroker — carries a false dependency on the dirty upper halves and runs
// many times slower (measured 18x on a Sapphire Rapids guest). Any later paint call may dirty
// the unit again, so it is cleared just before the work that pays, not once at start-up. One
// `vzeroupper` puts the unit back into its clean state; it costs about a cycle.

namespace tonel {

// Clears the upper vector state on x86-64 CPUs with AVX; does nothing anywhere else.
void clearUpperVectorState();

}  // namespace tonel
