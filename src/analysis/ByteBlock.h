// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 64 bytes of a text held for bit-mask tests: bit i of a mask answers the test for byte i. Used
// with ShiftJis::ClassifyBlock by the counters that must keep up with a whole novel per
// keystroke. A block at the end of a text is padded with zero bytes.
//
// The tests run 16 bytes at a time with SSE2 where the compiler has it (always on x86-64), and
// byte by byte otherwise; PortableByteBlock is the byte-by-byte form on every machine, so that
// the two can be compared.

#include "ShiftJis.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A counting walk built twice where the compiler can: with the POPCNT instruction, which nearly
// every x86-64 processor has, and for the baseline, chosen once when the program starts. Without
// it every population count of a mask is a library call. On for functions whose loops sum masks.
// Left out under the sanitizers, whose run-time is not ready when the choice is made.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__ELF__) &&         \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define KOTONAMI_COUNTING_CLONES [[gnu::target_clones("popcnt", "default")]]
#else
#define KOTONAMI_COUNTING_CLONES
#endif

// The bytes low..high; one byte when low == high.
struct ByteRange
{
    unsigned char low = 0;
    unsigned char high = 0;
};

template <bool Vector> class BasicByteBlock
{
public:
    static constexpr std::size_t Size = 64;

    // The block at `offset`; bytes past the end of the text read as zero.
    BasicByteBlock(std::string_view text, std::size_t offset) noexcept
    {
        const std::size_t available = text.size() - offset;
        if (available >= Size) {
            std::memcpy(FBytes, text.data() + offset, Size);
        } else {
            std::memset(FBytes, 0, Size);
            std::memcpy(FBytes, text.data() + offset, available);
        }
    }

    // Bytes equal to `value`.
    std::uint64_t Equal(unsigned char value) const noexcept
    {
#if defined(__SSE2__)
        if constexpr (Vector) {
            const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
            std::uint64_t mask = 0;
#pragma GCC unroll 4
            for (int part = 0; part < 4; ++part) {
                const __m128i v =
                    _mm_load_si128(reinterpret_cast<const __m128i*>(FBytes + 16 * part));
                const auto bits =
                    static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, wanted))) &
                    0xFFFFu;
                mask |= std::uint64_t{bits} << (16 * part);
            }
            return mask;
        }
#endif
        return InRange(value, value);
    }

    // Bytes of the lead-byte set.
    std::uint64_t LeadSet() const noexcept
    {
        // 0x81-0x9F and 0xE0-0xFC are one range, 0xA1-0xDC, once bit 5 is flipped.
        const ByteRange flipped{0xA1, 0xDC};
        return Test([](auto v) { return Flip(v); }, std::span(&flipped, 1));
    }

    // Bytes in low..high.
    std::uint64_t InRange(unsigned char low, unsigned char high) const noexcept
    {
        const ByteRange range{low, high};
        return InRanges(std::span(&range, 1));
    }

    // Bytes in any of the ranges: one pass over the block for a whole class of bytes.
    std::uint64_t InRanges(std::span<const ByteRange> ranges) const noexcept
    {
        return Test([](auto v) { return v; }, ranges);
    }

    unsigned char operator[](std::size_t i) const noexcept
    {
        return static_cast<unsigned char>(FBytes[i]);
    }

private:
    alignas(16) char FBytes[Size];

#if defined(__SSE2__)
    static __m128i Flip(__m128i v) noexcept
    {
        return _mm_xor_si128(v, _mm_set1_epi8(0x20));
    }
#endif
    static unsigned char Flip(unsigned char b) noexcept
    {
        return static_cast<unsigned char>(b ^ 0x20);
    }

    // Bytes b for which `prepare(b)` falls in one of the ranges.
    template <class Prepare>
    std::uint64_t Test(Prepare prepare, std::span<const ByteRange> ranges) const noexcept
    {
#if defined(__SSE2__)
        if constexpr (Vector) {
            __m128i v[4];
            __m128i hit[4];
#pragma GCC unroll 4
            for (int part = 0; part < 4; ++part) {
                v[part] =
                    prepare(_mm_load_si128(reinterpret_cast<const __m128i*>(FBytes + 16 * part)));
                hit[part] = _mm_setzero_si128();
            }
            for (const ByteRange& r : ranges) {
                // Unsigned low <= b <= high as (b - low) == min(b - low, high - low).
                const __m128i low = _mm_set1_epi8(static_cast<char>(r.low));
                const __m128i width = _mm_set1_epi8(static_cast<char>(r.high - r.low));
#pragma GCC unroll 4
                for (int part = 0; part < 4; ++part) {
                    const __m128i offset = _mm_sub_epi8(v[part], low);
                    hit[part] = _mm_or_si128(hit[part],
                                             _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset));
                }
            }
            std::uint64_t mask = 0;
#pragma GCC unroll 4
            for (int part = 0; part < 4; ++part) {
                const auto bits =
                    static_cast<std::uint32_t>(_mm_movemask_epi8(hit[part])) & 0xFFFFu;
                mask |= std::uint64_t{bits} << (16 * part);
            }
            return mask;
        }
#endif
        std::uint64_t mask = 0;
        for (std::size_t i = 0; i < Size; ++i) {
            const unsigned char b = prepare((*this)[i]);
            bool hit = false;
            for (const ByteRange& r : ranges)
                hit = hit || (b >= r.low && b <= r.high);
            mask |= std::uint64_t{hit} << i;
        }
        return mask;
    }
};

using ByteBlock = BasicByteBlock<true>;
using PortableByteBlock = BasicByteBlock<false>;

// The blocks of a text in order, each with the roles of its bytes: the walk of
// ShiftJis::ClassifyBlock carried from one block to the next. Masks cover only bytes inside the
// text.
class CharacterBlocks
{
public:
    struct Block
    {
        ByteBlock bytes;
        std::uint64_t inText; // the bytes of the block inside the text
        ShiftJis::BlockRoles roles;
        std::uint64_t singles; // single-byte characters
    };

    explicit CharacterBlocks(std::string_view text) noexcept : FText(text) {}

    // The block at `offset`; asked for in order from 0, ByteBlock::Size apart.
    [[gnu::always_inline]] Block At(std::size_t offset) noexcept
    {
        const ByteBlock bytes(FText, offset);
        const std::size_t valid = std::min(FText.size() - offset, ByteBlock::Size);
        const std::uint64_t inText = valid == ByteBlock::Size ? ~0ULL : (1ULL << valid) - 1;
        ShiftJis::BlockRoles roles = ShiftJis::ClassifyBlock(bytes.LeadSet(), FStartsWithTrail);
        roles.lead &= inText;
        roles.trail &= inText;
        return {bytes, inText, roles, ~(roles.lead | roles.trail) & inText};
    }

private:
    std::string_view FText;
    bool FStartsWithTrail = false;
};
