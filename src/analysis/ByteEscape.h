// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one rule for bytes that a file holds but that make no character of its encoding. Decoding
// keeps each such unit (a stray byte, a lone UTF-16 surrogate, a byte pair with no character) as
// escapes, one UTF-16 unit per byte, so that writing gives the file's bytes back: the first byte
// of a unit is U+DC00 + byte, each further byte of the same unit U+DD00 + byte. Both are lone low
// surrogates, which no decoded character is. The counting form shows a whole unit as one 〓; a unit
// of zero bytes only (a NUL) stays a NUL, which ends the text there as it ends a Shift-JIS text.
//
// U+2028, U+2029 and U+0085 read from a file travel as the escapes of their bytes too: the
// editor's document would take the first two as line breaks, and the file keeps them as they are.

#include <cstddef>
#include <string_view>

namespace ByteEscape {

constexpr char16_t First = 0xDC00;   // U+DC00 + byte: a unit begins
constexpr char16_t Further = 0xDD00; // U+DD00 + byte: the unit goes on
constexpr char16_t Last = 0xDDFF;

constexpr bool IsEscape(char16_t c) noexcept
{
    return c >= First && c <= Last;
}

constexpr bool IsFurther(char16_t c) noexcept
{
    return c >= Further && c <= Last;
}

constexpr char16_t Begin(unsigned char byte) noexcept
{
    return static_cast<char16_t>(First + byte);
}

constexpr char16_t Continue(unsigned char byte) noexcept
{
    return static_cast<char16_t>(Further + byte);
}

constexpr char ByteOf(char16_t escape) noexcept
{
    return static_cast<char>(escape & 0xFF);
}

// A character that a decoded file holds as the escapes of its bytes.
constexpr bool IsKeptAsBytes(char32_t c) noexcept
{
    return c == 0x2028 || c == 0x2029 || c == 0x85;
}

// Appends the escapes of one unit of bytes.
template <class Out> void AppendUnit(std::string_view bytes, Out& out)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out.push_back(i == 0 ? Begin(byte) : Continue(byte));
    }
}

// The units of the escape unit that begins at text[i] (the escape there and the further ones
// after it), and whether all its bytes are zero.
struct Unit
{
    std::size_t length = 1;
    bool nul = false;
};

inline Unit UnitAt(std::u16string_view text, std::size_t i) noexcept
{
    Unit unit;
    bool zero = ByteOf(text[i]) == 0;
    while (i + unit.length < text.size() && IsFurther(text[i + unit.length])) {
        zero = zero && ByteOf(text[i + unit.length]) == 0;
        ++unit.length;
    }
    unit.nul = zero;
    return unit;
}

} // namespace ByteEscape
