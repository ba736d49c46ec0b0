// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading one UTF-8 sequence strictly: shared by the code page 932 codec and the file encodings.

#include <cstddef>
#include <string_view>

namespace Utf8 {

inline bool IsContinuation(unsigned char byte) noexcept
{
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at `position` (its code point in `code`), or 0 when
// the byte there begins none: no overlong forms, no surrogates, nothing above U+10FFFF. ASCII and
// the three-byte forms of Japanese text are tried first; the whole text of a file passes here.
[[gnu::always_inline]] inline std::size_t Read(const unsigned char* s, std::size_t position,
                                               std::size_t size, char32_t& code) noexcept
{
    const unsigned char b0 = s[position];
    const std::size_t left = size - position;
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    if ((b0 & 0xF0) == 0xE0) {
        if (left < 3 || !IsContinuation(s[position + 1]) || !IsContinuation(s[position + 2]))
            return 0;
        code = ((b0 & 0x0Fu) << 12) | ((s[position + 1] & 0x3Fu) << 6) | (s[position + 2] & 0x3Fu);
        const bool shortest = code >= 0x800;
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        return shortest && !surrogate ? 3 : 0;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (left < 2 || !IsContinuation(s[position + 1]))
            return 0;
        code = ((b0 & 0x1Fu) << 6) | (s[position + 1] & 0x3Fu);
        return 2;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !IsContinuation(s[position + 1]) || !IsContinuation(s[position + 2]) ||
            !IsContinuation(s[position + 3]))
            return 0;
        code = ((b0 & 0x07u) << 18) | ((s[position + 1] & 0x3Fu) << 12) |
               ((s[position + 2] & 0x3Fu) << 6) | (s[position + 3] & 0x3Fu);
        return code >= 0x10000 && code <= 0x10FFFF ? 4 : 0;
    }
    return 0;
}

// Hands `take` each code point of the text in turn; false, after the ones before it, at the
// first byte that begins no well-formed sequence.
template <class Take> bool ForEachCodePoint(std::string_view text, Take take)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t position = 0; position < text.size();) {
        char32_t code = 0;
        const std::size_t length = Read(bytes, position, text.size(), code);
        if (length == 0)
            return false;
        take(code);
        position += length;
    }
    return true;
}

// Length of the bytes at `position` that begin no well-formed sequence, taken as one unit: a lead
// byte and the continuation bytes after it that could still have made its sequence (the longest
// start of a well-formed sequence), or one byte. Call where Read gives 0.
inline std::size_t InvalidLength(const unsigned char* s, std::size_t position,
                                 std::size_t size) noexcept
{
    const unsigned char b0 = s[position];
    std::size_t need = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 2;
    } else if ((b0 & 0xF0) == 0xE0) {
        need = 3;
        low = b0 == 0xE0 ? 0xA0 : 0x80;
        high = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 4;
        low = b0 == 0xF0 ? 0x90 : 0x80;
        high = b0 == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t length = 1;
    while (length < need && position + length < size) {
        const unsigned char b = s[position + length];
        if (length == 1 ? (b < low || b > high) : !IsContinuation(b))
            break;
        ++length;
    }
    return length;
}

// The one UTF-8 writer: appends the sequence of a code point (at most U+10FFFF) through `put`,
// which takes one byte.
template <class Put> inline void Write(char32_t code, Put put)
{
    if (code < 0x80) {
        put(static_cast<char>(code));
    } else if (code < 0x800) {
        put(static_cast<char>(0xC0 | (code >> 6)));
        put(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        put(static_cast<char>(0xE0 | (code >> 12)));
        put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        put(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        put(static_cast<char>(0xF0 | (code >> 18)));
        put(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        put(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace Utf8
