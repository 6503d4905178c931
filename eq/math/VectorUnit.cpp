#include "eq/math/VectorUnit.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>

namespace tonel {

namespace {

unsigned extendedControlRegister0()
{
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

// AVX in the CPU, and the operating system saving the YMM state (XCR0 bits 1 and 2).
bool cpuHasAvx()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return false;
    const bool avx = (ecx & bit_AVX) != 0;
    const bool osSavesYmm = (ecx & bit_OSXSAVE) != 0 && (extendedControlRegister0() & 0x6) == 0x6;
    return avx && osSavesYmm;
}

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

}  // namespace

void clearUpperVectorState()
{
    static const bool avx = cpuHasAvx();
    if (avx)
        zeroUpper();
}

}  // namespace tonel

#else

namespace tonel {
void clearUpperVectorState() {}
}  // namespace tonel

#endif
