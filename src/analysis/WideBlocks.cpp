// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WideBlocks.h"

#include "LeftOutByReading.h"
#include "ShiftJis.h"

#include <atomic>
#include <bit>
#include <cstdint>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KOTONAMI_WIDE_BLOCKS 1
#endif

namespace {

std::atomic<bool> keptNarrow{false};

} // namespace

void KeepToNarrowBlocks(bool off) noexcept
{
    keptNarrow.store(off, std::memory_order_relaxed);
}

#if defined(KOTONAMI_WIDE_BLOCKS)

// Only the functions below are built for these instructions, and only called once the processor
// is known to have them; everything they call inline is built for every processor.
#define KOTONAMI_WIDE [[gnu::target("avx512bw,bmi,bmi2,popcnt,pclmul")]]

bool WideBlocksUsed() noexcept
{
    static const bool usable = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi") &&
               __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt") &&
               __builtin_cpu_supports("pclmul");
    }();
    return usable && !keptNarrow.load(std::memory_order_relaxed);
}

namespace {

// The block at `offset` and the one a byte later (whose byte 63 is the byte after the block),
// never reading past the text.
struct WideBlock
{
    __m512i bytes;
    __m512i next; // byte i is the text's byte offset + i + 1
    std::uint64_t inText;
};

KOTONAMI_WIDE inline WideBlock LoadBlock(const char* data, std::size_t size,
                                         std::size_t offset) noexcept
{
    const char* at = data + offset;
    const std::size_t available = size - offset;
    if (available > 64)
        return {_mm512_loadu_si512(at), _mm512_loadu_si512(at + 1), ~std::uint64_t{0}};
    const std::uint64_t inText = available == 64 ? ~std::uint64_t{0} : _bzhi_u64(~0ULL, available);
    const std::uint64_t nextInText = _bzhi_u64(~0ULL, available - 1);
    return {_mm512_maskz_loadu_epi8(inText, at), _mm512_maskz_loadu_epi8(nextInText, at + 1),
            inText};
}

KOTONAMI_WIDE inline std::uint64_t Equal(__m512i bytes, char value, std::uint64_t among) noexcept
{
    return _mm512_mask_cmpeq_epi8_mask(among, bytes, _mm512_set1_epi8(value));
}

// Bit i: an odd number of bits of `marks` at or before i.
KOTONAMI_WIDE inline std::uint64_t Parity(std::uint64_t marks) noexcept
{
    const __m128i product = _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(marks)),
                                                 _mm_set1_epi8(-1), 0);
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(product));
}

// The walk: the roles of each block's bytes carried from block to block, the sums as population
// counts; `readMarks` also masks the marks of rubies and hands them to `leftOut`.
template <bool ReadMarks>
KOTONAMI_WIDE std::optional<Tally> WideTally(std::string_view text, const CountOptions& options,
                                             LeftOutByReading* leftOut) noexcept(!ReadMarks)
{
    // Sums and switches in variables of the walk's own, which stay in registers: the blocks are
    // read through pointers that may point anywhere.
    std::int64_t singleByte = 0;
    std::int64_t lineFeedCount = 0;
    std::int64_t doubleByte = 0;
    std::int64_t doubleByteSpaces = 0;
    bool endsWithLineFeed = false;
    const bool countSpace = options.countSpace;
    const bool countTab = options.countTab;
    const bool toldApart = !options.countDoubleByteSpace;
    LeftOutByReading::MaskedWalk walk;
    bool startsWithTrail = false;
    const char* const data = text.data();
    const std::size_t size = text.size();
    for (std::size_t offset = 0; offset < size; offset += 64) {
        const WideBlock block = LoadBlock(data, size, offset);
        if (Equal(block.bytes, 0, block.inText) != 0) [[unlikely]]
            return std::nullopt;
        // 0x81-0x9F and 0xE0-0xFC are one range, 0xA1-0xDC, once bit 5 is flipped.
        const __m512i flipped = _mm512_xor_si512(block.bytes, _mm512_set1_epi8(0x20));
        const std::uint64_t leadSet = _mm512_mask_cmple_epu8_mask(
            block.inText, _mm512_sub_epi8(flipped, _mm512_set1_epi8(char(0xA1))),
            _mm512_set1_epi8(0xDC - 0xA1));
        const ShiftJis::BlockRoles roles = ShiftJis::ClassifyBlock(leadSet, startsWithTrail);
        const std::uint64_t leads = roles.lead & block.inText;
        const std::uint64_t singles = ~(roles.lead | roles.trail) & block.inText;
        const std::uint64_t lineFeeds = Equal(block.bytes, ShiftJis::LF, singles);
        const std::uint64_t returns = Equal(block.bytes, ShiftJis::CR, singles);
        std::uint64_t uncounted = lineFeeds | returns;
        if (!countSpace)
            uncounted |= Equal(block.bytes, ShiftJis::Space, singles);
        if (!countTab)
            uncounted |= Equal(block.bytes, ShiftJis::Tab, singles);
        // Double-byte characters whose first byte is 0x81: blanks and the marks of rubies.
        const std::uint64_t signs =
            ReadMarks || toldApart ? Equal(block.bytes, char(0x81), leads) : 0;
        std::uint64_t doubleBlanks = 0;
        if (toldApart) {
            doubleBlanks = Equal(block.next, 0x40, signs);
            doubleByteSpaces += std::popcount(doubleBlanks);
        }
        const std::uint64_t counted = singles & ~uncounted;
        singleByte += std::popcount(counted);
        lineFeedCount += std::popcount(lineFeeds);
        doubleByte += std::popcount(leads);
        if (offset + 64 >= size)
            endsWithLineFeed = (lineFeeds >> (size - offset - 1)) & 1;
        if constexpr (ReadMarks) {
            MarkMasks marks;
            marks.leads = leads;
            marks.singles = singles;
            marks.counted = counted;
            marks.doubleBlanks = doubleBlanks;
            marks.opens = Equal(block.next, 0x73, signs);
            marks.closes = Equal(block.next, 0x74, signs);
            marks.bars = Equal(block.next, 0x62, signs) | Equal(block.bytes, '|', singles);
            marks.brackets = Equal(block.next, 0x6D, signs);
            marks.lineBreaks = lineFeeds | returns;
            marks.lineFeeds = lineFeeds;
            marks.loneReturns = returns & ~Equal(block.next, ShiftJis::LF, returns);
            marks.openParity = Parity(marks.opens | marks.closes);
            if (!LeftOutByReading::PassMasked(walk, offset, marks)) [[unlikely]] {
                // ｜ ［ 《 》 and the signs between, and every |.
                marks.mayBeMarks = _mm512_mask_cmple_epu8_mask(
                                       signs, _mm512_sub_epi8(block.next, _mm512_set1_epi8(0x62)),
                                       _mm512_set1_epi8(0x74 - 0x62)) |
                                   Equal(block.bytes, '|', singles);
                walk = leftOut->MarkedBlock(walk, offset, marks);
            }
        }
    }
    if constexpr (ReadMarks)
        leftOut->FinishMasked(walk);
    Tally tally;
    tally.singleByte = singleByte;
    tally.lineFeeds = lineFeedCount;
    tally.doubleByte = doubleByte;
    tally.doubleByteSpaces = doubleByteSpaces;
    tally.endsWithLineFeed = endsWithLineFeed;
    return tally;
}

} // namespace

KOTONAMI_WIDE std::optional<Tally> TallyTextWide(std::string_view text,
                                                 const CountOptions& options) noexcept
{
    return WideTally<false>(text, options, nullptr);
}

KOTONAMI_WIDE std::optional<Tally> TallyTextWide(std::string_view text, const CountOptions& options,
                                                 LeftOutByReading& leftOut)
{
    return WideTally<true>(text, options, &leftOut);
}

#else

bool WideBlocksUsed() noexcept
{
    return false;
}

std::optional<Tally> TallyTextWide(std::string_view, const CountOptions&) noexcept
{
    return std::nullopt;
}

std::optional<Tally> TallyTextWide(std::string_view, const CountOptions&, LeftOutByReading&)
{
    return std::nullopt;
}

#endif
