// Whatever a user can type or paste into a frequency field.
#include "model/ValueScales.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int index = tonel::parseFrequencyText(text);
    if (index < 1 || index > tonel::kMaxFreqIndex)
        std::abort();
    // Every text a page then shows must come out of the tables.
    (void)tonel::formatFrequency(index);
    (void)tonel::formatEnteredFrequency(index);
    return 0;
}
