// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLines.h"

#include "analysis/ByteBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace TextLines {

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> lines;
    ForEach(text,
            [&lines](const char* start, const char* stop) { lines.emplace_back(start, stop); });
    return lines;
}

void AppendWithCrLf(std::string_view text, std::string& out)
{
    text = BeforeNul(text);
    // Reserved, not filled: the pages a shorter result never reaches are never touched.
    out.reserve(out.size() + 2 * text.size() + 2);
    ForEach(text, [&out](const char* start, const char* stop) {
        out.append(start, stop);
        out += "\r\n";
    });
}

bool HasOnlyCrLfBreaks(std::string_view text) noexcept
{
    // 64 bytes at a time: every LF must have a CR just before it and every CR an LF just after
    // it, so that the two masks are one another shifted by a byte. A whole novel passes here on
    // every file the companion reads.
    std::uint64_t crBefore = 0; // the last byte of the block before was a CR
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
        const ByteBlock block(text, offset);
        const std::size_t valid = std::min(text.size() - offset, ByteBlock::Size);
        const std::uint64_t inText = valid == ByteBlock::Size ? ~0ULL : (1ULL << valid) - 1;
        const std::uint64_t cr = block.Equal('\r');
        const std::uint64_t lf = block.Equal('\n');
        if ((block.Equal('\0') & inText) != 0 || lf != ((cr << 1) | crBefore))
            return false;
        crBefore = cr >> 63;
    }
    return crBefore == 0; // a CR at the very end has no LF after it
}

} // namespace TextLines
