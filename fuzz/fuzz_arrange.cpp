// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Arrangement and sheet count of any bytes under any paper: the first bytes of the input choose
// Column, Line, Tab and the two line-start sets, the rest is the text.
#include "analysis/ShiftJis.h"
#include "paper/TPaper.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

std::int32_t TakeInt32(std::string_view& input)
{
    std::uint32_t value = 0;
    const std::size_t n = std::min<std::size_t>(4, input.size());
    std::memcpy(&value, input.data(), n);
    input.remove_prefix(n);
    // Mostly small papers, where lines break often; sometimes the extremes.
    switch (value & 3) {
    case 0:
        return static_cast<std::int32_t>(value >> 2) % 64 - 8;
    case 1:
        return std::numeric_limits<std::int32_t>::max() - static_cast<std::int32_t>(value >> 28);
    default:
        return static_cast<std::int32_t>(value);
    }
}

std::string_view TakeSet(std::string_view& input)
{
    const std::size_t n =
        input.empty()
            ? 0
            : std::min<std::size_t>(static_cast<unsigned char>(input[0]) % 8, input.size() - 1);
    const std::string_view set = input.substr(input.empty() ? 0 : 1, n);
    input.remove_prefix(input.empty() ? 0 : 1 + n);
    return set;
}

std::int64_t LineBreaks(std::string_view text)
{
    std::int64_t breaks = 0;
    for (std::size_t p = 0; p < text.size();) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(text, p);
        const bool pair =
            ch.IsSingleByte(ShiftJis::CR) && p + 1 < text.size() && text[p + 1] == '\n';
        breaks += pair;
        p += pair ? 2 : ch.length;
    }
    return breaks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    TPaper paper;
    paper.Column = TakeInt32(input);
    paper.Line = TakeInt32(input);
    paper.Tab = input.empty() ? 0 : static_cast<std::uint8_t>(input[0]);
    input.remove_prefix(input.empty() ? 0 : 1);
    const std::string_view noFirst = TakeSet(input);
    const std::string_view forceFirst = TakeSet(input);
    if (!noFirst.empty() && noFirst[0] != '*') // '*' keeps the default set
        paper.NoFirstChar = noFirst.substr(1);
    if (!forceFirst.empty() && forceFirst[0] != '*')
        paper.ForceFirstChar = forceFirst.substr(1);

    const std::string arranged = paper.Arrange(input);
    if (arranged.size() >= 2 && arranged.compare(0, 2, "\r\n") == 0)
        std::abort(); // the arranged text never begins with a line break
    const PaperInfo info = paper.Count(input);
    if (info.TotalLines != 1 + LineBreaks(arranged) || info.Sheets < 1 || info.LastPageLines < 1)
        std::abort();
    const PaperInfo simple = paper.SimpleCount(static_cast<std::int32_t>(size));
    (void)MakePaperReport(simple);
    (void)MakePaperReport(info);
    return 0;
}
