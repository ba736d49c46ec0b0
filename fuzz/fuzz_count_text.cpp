// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// CountText on any bytes: no fault, the figures hold together, with ruby and notes left out the
// count is that of the text as read, and the count's two walks agree.
#include "analysis/BeforeNul.h"
#include "analysis/TextAsRead.h"
#include "analysis/TextStatistics.h"
#include "analysis/WideBlocks.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const CountOptions options : {CountOptions{}, CountOptions{false, false, false}}) {
        const TextStatistics one = CountText(text, options, 1);
        const TextStatistics two = CountText(text, options, 2);
        if (one.bytes != static_cast<std::int64_t>(size) || one.characters < 0 || one.lines < 0 ||
            two.characters < one.characters || one.characters > one.bytes || one.words != 0)
            std::abort();
        CountOptions asRead = options;
        asRead.excludeRuby = true;
        const TextStatistics fused = CountText(text, asRead, 2);
        const TextStatistics filtered = CountText(TextAsRead(BeforeNul(text)), options, 2);
        if (fused.characters != filtered.characters || fused.lines != filtered.lines)
            std::abort();
        if (WideBlocksUsed()) {
            KeepToNarrowBlocks(true);
            const TextStatistics narrow = CountText(text, options, 2);
            const TextStatistics narrowFused = CountText(text, asRead, 2);
            KeepToNarrowBlocks(false);
            if (narrow.characters != two.characters || narrow.lines != two.lines ||
                narrowFused.characters != fused.characters || narrowFused.lines != fused.lines)
                std::abort();
        }
    }
    return 0;
}
