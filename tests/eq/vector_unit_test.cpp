#include "eq/math/VectorUnit.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>

namespace tonel::testing {
namespace {

// XGETBV with ECX = 1 reports which state components are in use; bit 2 is the upper halves
// of the YMM registers. Available where CPUID leaf 13, sub-leaf 1 says so.
bool canReadStateInUse()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid_count(13, 1, &eax, &ebx, &ecx, &edx) != 0 && (eax & (1u << 2)) != 0;
}

bool upperHalvesInUse()
{
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1u << 2)) != 0;
}

// Plain assembly in a function built without AVX: the compiler adds no vzeroupper after it.
void dirtyUpperHalves()
{
    asm volatile("vpcmpeqd %%ymm0, %%ymm0, %%ymm0" ::: "xmm0");
}

TEST(VectorUnit, ClearingLeavesTheUpperHalvesUnused)
{
    if (!canReadStateInUse())
        GTEST_SKIP() << "this CPU does not report the state in use";
    dirtyUpperHalves();
    ASSERT_TRUE(upperHalvesInUse());
    clearUpperVectorState();
    EXPECT_FALSE(upperHalvesInUse());
}

}  // namespace
}  // namespace tonel::testing

#endif
