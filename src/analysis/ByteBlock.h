#pragma once
// 64 bytes of a text held for bit-mask tests: bit i of a mask answers the test for byte i. Used
// with ShiftJis::ClassifyBlock by the counters that must keep up with a whole novel per
// keystroke. A block at the end of a text is padded with zero bytes.

#include "ShiftJis.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

class ByteBlock
{
public:
    static constexpr std::size_t Size = 64;

    // The block at `offset`; bytes past the end of the text read as zero.
    ByteBlock(std::string_view text, std::size_t offset) noexcept
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
        const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
        return Collect([&](__m128i v) { return _mm_cmpeq_epi8(v, wanted); });
#else
        return Scalar([value](unsigned char b) { return b == value; });
#endif
    }

    // Bytes of the lead-byte set.
    std::uint64_t LeadSet() const noexcept
    {
#if defined(__SSE2__)
        // 0x81-0x9F and 0xE0-0xFC are one range, 0xA1-0xDC, once bit 5 is flipped.
        const __m128i flip = _mm_set1_epi8(0x20);
        const __m128i low = _mm_set1_epi8(static_cast<char>(0xA1));
        const __m128i width = _mm_set1_epi8(0x3B);
        return Collect([&](__m128i v) {
            const __m128i offset = _mm_sub_epi8(_mm_xor_si128(v, flip), low);
            return _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset);
        });
#else
        return Scalar([](unsigned char b) { return ShiftJis::IsLeadByte(b); });
#endif
    }

    // Bytes in low..high.
    std::uint64_t InRange(unsigned char low, unsigned char high) const noexcept
    {
#if defined(__SSE2__)
        const __m128i lowest = _mm_set1_epi8(static_cast<char>(low));
        const __m128i width = _mm_set1_epi8(static_cast<char>(high - low));
        return Collect([&](__m128i v) {
            const __m128i offset = _mm_sub_epi8(v, lowest);
            return _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset);
        });
#else
        return Scalar([low, high](unsigned char b) { return b >= low && b <= high; });
#endif
    }

    unsigned char operator[](std::size_t i) const noexcept
    {
        return static_cast<unsigned char>(FBytes[i]);
    }

private:
    alignas(16) char FBytes[Size];

#if defined(__SSE2__)
    template <class Test> std::uint64_t Collect(Test test) const noexcept
    {
        std::uint64_t mask = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(FBytes + 16 * part));
            const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(test(v))) & 0xFFFFu;
            mask |= std::uint64_t{bits} << (16 * part);
        }
        return mask;
    }
#else
    template <class Test> std::uint64_t Scalar(Test test) const noexcept
    {
        std::uint64_t mask = 0;
        for (std::size_t i = 0; i < Size; ++i)
            mask |= std::uint64_t{test((*this)[i])} << i;
        return mask;
    }
#endif
};
