// CountText on any bytes: no fault, and the figures hold together.
#include "analysis/TextStatistics.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const CountOptions options : {CountOptions{}, CountOptions{false, false, false}}) {
        const TextStatistics one = CountText(text, options, 1);
        const TextStatistics two = CountText(text, options, 2);
        if (one.bytes != static_cast<std::int32_t>(size) || one.characters < 0 || one.lines < 0 ||
            two.characters < one.characters || one.characters > one.bytes || one.words != 0)
            std::abort();
    }
    return 0;
}
