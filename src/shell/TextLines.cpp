// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLines.h"

#include "analysis/ByteBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // Every LF must have a CR just before it and every CR an LF just after it, so that the bytes
    // that are LF are those after a CR; and there is no NUL. A whole novel passes here on every
    // file the companion reads.
    std::size_t offset = 0;
    std::uint64_t crBefore = 0; // the byte before `offset` was a CR
#if defined(__SSE2__)
    // 64 bytes at a time straight from the text, 16 at a time in a register: the parts where LF
    // and "after a CR" differ, or that hold a NUL, are gathered and asked once a block.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    __m128i lastCr = _mm_setzero_si128();
    for (; text.size() - offset >= ByteBlock::Size; offset += ByteBlock::Size) {
        __m128i wrong = _mm_setzero_si128();
        for (std::size_t part = 0; part < ByteBlock::Size; part += 16) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + offset + part));
            const __m128i isCr = _mm_cmpeq_epi8(bytes, cr);
            const __m128i afterCr =
                _mm_or_si128(_mm_slli_si128(isCr, 1), _mm_srli_si128(lastCr, 15));
            wrong = _mm_or_si128(wrong, _mm_xor_si128(_mm_cmpeq_epi8(bytes, lf), afterCr));
            wrong = _mm_or_si128(wrong, _mm_cmpeq_epi8(bytes, nul));
            lastCr = isCr;
        }
        if (_mm_movemask_epi8(wrong) != 0)
            return false;
    }
    crBefore = (static_cast<unsigned>(_mm_movemask_epi8(lastCr)) >> 15) & 1;
#endif
    for (; offset < text.size(); offset += ByteBlock::Size) {
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
