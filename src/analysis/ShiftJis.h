// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one walk over Shift-JIS (code page 932) text. Every algorithm that looks at characters
// cuts its text with this: a lead byte (0x81-0x9F, 0xE0-0xFC) takes the byte after it, whatever
// that byte is; every other byte is a single-byte character. A lead byte that is the last byte of
// the text is still one double-byte character (of one byte).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ShiftJis {

inline constexpr std::uint32_t DoubleByteSpace = 0x8140;
inline constexpr unsigned char CR = 0x0D;
inline constexpr unsigned char LF = 0x0A;
inline constexpr unsigned char Tab = 0x09;
inline constexpr unsigned char Space = 0x20;
inline constexpr unsigned char Hyphen = 0x2D;

namespace detail {
constexpr std::array<bool, 256> MakeLeadByteTable()
{
    std::array<bool, 256> table{};
    for (int b = 0x81; b <= 0x9F; ++b)
        table[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b)
        table[b] = true;
    return table;
}
inline constexpr std::array<bool, 256> LeadByteTable = MakeLeadByteTable();
} // namespace detail

constexpr bool IsLeadByte(unsigned char byte) noexcept
{
    return detail::LeadByteTable[byte];
}

constexpr bool IsLeadByte(char byte) noexcept
{
    return IsLeadByte(static_cast<unsigned char>(byte));
}

// Number of bytes of the character that starts at `position` (1 or 2); 0 at or past the end.
constexpr std::size_t CharacterLength(std::string_view text, std::size_t position) noexcept
{
    if (position >= text.size())
        return 0;
    if (IsLeadByte(text[position]) && position + 1 < text.size())
        return 2;
    return 1;
}

struct Character
{
    std::size_t position = 0; // offset of its first byte in the text
    std::size_t length =
        0; // bytes present in the text: 2, or 1 (single byte, or a final lone lead byte)
    bool doubleByte = false; // begins with a lead byte
    std::uint32_t code =
        0; // byte value, or lead * 256 + trail (trail 0 for a final lone lead byte)

    constexpr bool IsSingleByte(unsigned char byte) const noexcept
    {
        return !doubleByte && code == byte;
    }
};

// The character that starts at `position`; `position` must be inside the text.
constexpr Character CharacterAt(std::string_view text, std::size_t position) noexcept
{
    const auto lead = static_cast<unsigned char>(text[position]);
    if (!IsLeadByte(lead))
        return {position, 1, false, lead};
    if (position + 1 < text.size()) {
        const auto trail = static_cast<unsigned char>(text[position + 1]);
        return {position, 2, true, (std::uint32_t{lead} << 8) | trail};
    }
    return {position, 1, true, std::uint32_t{lead} << 8};
}

// Forward iteration over the characters of a text:
//     for (const ShiftJis::Character& c : ShiftJis::Characters(text)) ...
class CharacterIterator
{
public:
    using value_type = Character;
    using difference_type = std::ptrdiff_t;

    constexpr CharacterIterator() = default;
    constexpr CharacterIterator(std::string_view text, std::size_t position) noexcept
        : FText(text), FPosition(position)
    {
    }

    constexpr Character operator*() const noexcept { return CharacterAt(FText, FPosition); }
    constexpr CharacterIterator& operator++() noexcept
    {
        FPosition += CharacterLength(FText, FPosition);
        return *this;
    }
    constexpr CharacterIterator operator++(int) noexcept
    {
        CharacterIterator before = *this;
        ++*this;
        return before;
    }
    constexpr std::size_t Position() const noexcept { return FPosition; }
    friend constexpr bool operator==(const CharacterIterator& a,
                                     const CharacterIterator& b) noexcept
    {
        return a.FPosition == b.FPosition;
    }

private:
    std::string_view FText;
    std::size_t FPosition = 0;
};

class Characters
{
public:
    constexpr explicit Characters(std::string_view text, std::size_t start = 0) noexcept
        : FText(text), FStart(start < text.size() ? start : text.size())
    {
    }
    constexpr CharacterIterator begin() const noexcept { return {FText, FStart}; }
    constexpr CharacterIterator end() const noexcept { return {FText, FText.size()}; }

private:
    std::string_view FText;
    std::size_t FStart;
};

// The length of the longest start of the text that holds at most `maxBytes` bytes and ends
// between two characters (a value cut to a limit never keeps half a character).
constexpr std::size_t WholeCharactersPrefix(std::string_view text, std::size_t maxBytes) noexcept
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t size = 0;
    for (const Character& c : Characters(text)) {
        if (c.position + c.length > maxBytes)
            break;
        size = c.position + c.length;
    }
    return size;
}

// The same walk over 64 bytes at a time, as bit masks (bit i is byte i of the block), for
// counters that only need to know which bytes are lead, trail or single-byte characters.
// `leadSet` marks the bytes of the block that are in the lead-byte set; `startsWithTrail` says
// whether the block's first byte is the trail of a lead that ended the block before, and is
// updated for the next block. A lead byte always takes the byte after it, so inside a run of
// lead-set bytes the roles alternate from the run's first byte, and the byte after an odd run is
// a trail whatever its value.
struct BlockRoles
{
    std::uint64_t lead = 0;  // first bytes of double-byte characters
    std::uint64_t trail = 0; // second bytes of double-byte characters
};

constexpr BlockRoles ClassifyBlock(std::uint64_t leadSet, bool& startsWithTrail) noexcept
{
    constexpr std::uint64_t evenBits = 0x5555555555555555ULL;
    constexpr std::uint64_t oddBits = ~evenBits;
    const std::uint64_t carriedTrail = startsWithTrail ? 1 : 0;
    const std::uint64_t runs = leadSet & ~carriedTrail;
    const std::uint64_t starts = runs & ~(runs << 1);
    // Adding a run's first bit clears the run and sets the bit after it.
    const std::uint64_t evenSum = runs + (starts & evenBits);
    const std::uint64_t oddSum = runs + (starts & oddBits);
    const std::uint64_t evenRuns = (evenSum ^ runs) & runs;
    const std::uint64_t oddRuns = runs & ~evenRuns;
    const std::uint64_t trail = carriedTrail | (evenRuns & oddBits) | (oddRuns & evenBits) |
                                (evenSum & ~runs & oddBits) | (oddSum & ~runs & evenBits);
    const std::uint64_t lead = runs & ~trail;
    startsWithTrail = (lead >> 63) != 0;
    return {lead, trail};
}

// True when `position` is a character boundary, given a boundary `known` at or before it. Looks
// back only over the lead-set bytes just before `position`: the byte after any other byte always
// begins a character, and along a run of lead-set bytes the roles alternate lead, trail.
constexpr bool IsCharacterBoundaryFrom(std::string_view text, std::size_t known,
                                       std::size_t position) noexcept
{
    std::size_t run = 0;
    while (position - run > known && IsLeadByte(text[position - run - 1]))
        ++run;
    return run % 2 == 0;
}

// True when `position` is a character boundary of the text (walking from its first byte).
// Linear in `position`; meant for occasional checks, not for inner loops.
constexpr bool IsCharacterBoundary(std::string_view text, std::size_t position) noexcept
{
    std::size_t p = 0;
    while (p < position && p < text.size())
        p += CharacterLength(text, p);
    return p == position;
}

} // namespace ShiftJis
