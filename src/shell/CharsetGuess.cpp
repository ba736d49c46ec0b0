// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharsetGuess.h"

#include "EucJp.h"
#include "JapaneseLikelihood.h"
#include "analysis/ByteEscape.h"
#include "analysis/Cp932Codec.h"
#include "analysis/Utf8.h"

#include <algorithm>
#include <string>

namespace CharsetGuess {

namespace {

// How much likelier, in half-bits, the EUC-JP reading must be: 2^7 times. Shift-JIS is the
// program's own form; a close call is its.
constexpr long EucJpMargin = 14;

// The readings are made and weighed over at most this much of the text (half a million characters
// and more), which is plenty to tell them apart and keeps a long EUC-JP novel from being decoded
// whole twice; the form of EUC-JP is checked over the whole text.
constexpr std::size_t WeighedSpan = 1024 * 1024;

bool IsEucByte(unsigned char b) noexcept
{
    return b >= 0xA1 && b <= 0xFE;
}

// Whether every byte has its place in an EUC-JP character (a pair of 0xA1-0xFE, 0x8E with one of
// 0xA1-0xDF, 0x8F with a pair), which a Shift-JIS text fails at its first kana or common kanji.
bool HasEucJpForm(std::string_view bytes) noexcept
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            ++i;
        } else if (IsEucByte(b)) {
            if (i + 1 >= n || !IsEucByte(s[i + 1]))
                return false;
            i += 2;
        } else if (b == 0x8E) {
            if (i + 1 >= n || s[i + 1] < 0xA1 || s[i + 1] > 0xDF)
                return false;
            i += 2;
        } else if (b == 0x8F) {
            if (i + 2 >= n || !IsEucByte(s[i + 1]) || !IsEucByte(s[i + 2]))
                return false;
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

bool AllCharacters(const std::u16string& text)
{
    return std::none_of(text.begin(), text.end(), ByteEscape::IsEscape);
}

// The bytes the readings are weighed over: the text, or its first WeighedSpan bytes up to a line
// feed, where both encodings are between characters.
std::string_view Weighed(std::string_view bytes)
{
    if (bytes.size() <= WeighedSpan)
        return bytes;
    const std::size_t end = bytes.rfind('\n', WeighedSpan);
    return end == std::string_view::npos ? bytes : bytes.substr(0, end + 1);
}

// Latin-1's letters and signs, the other Latin letters, Greek and Cyrillic.
bool IsEuropean(char32_t c) noexcept
{
    return (c >= 0xA0 && c <= 0x24F) || (c >= 0x370 && c <= 0x4FF);
}

bool IsWordPart(char32_t c) noexcept
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           IsEuropean(c);
}

} // namespace

bool ReadsAsUtf8(std::string_view utf8)
{
    // Japanese UTF-8 tells itself at its first kana or kanji: the text is walked no further.
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t position = 0; position < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8::Read(s, position, utf8.size(), code);
        if (length == 0 || code >= 0x800)
            return true;
        position += length;
    }
    std::u16string shiftJis;
    Cp932::Decode(utf8, shiftJis);
    if (!AllCharacters(shiftJis))
        return true;
    std::u32string codes;
    Utf8::ForEachCodePoint(utf8, [&codes](char32_t c) { codes.push_back(c); });
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] < 0x80)
            continue;
        const bool inWord = (i > 0 && IsWordPart(codes[i - 1])) ||
                            (i + 1 < codes.size() && IsWordPart(codes[i + 1]));
        if (!IsEuropean(codes[i]) || !inWord)
            return false;
    }
    return true;
}

Japanese Guess(std::string_view bytes)
{
    if (!HasEucJpForm(bytes))
        return Japanese::ShiftJis;
    const std::string_view weighed = Weighed(bytes);
    std::u16string euc;
    EucJp::Decode(weighed, euc);
    if (!AllCharacters(euc))
        return Japanese::ShiftJis;
    std::u16string shiftJis;
    Cp932::Decode(weighed, shiftJis);
    if (!AllCharacters(shiftJis))
        return Japanese::EucJp;
    const long margin = JapaneseLikelihood::Cost(shiftJis) - JapaneseLikelihood::Cost(euc);
    return margin > EucJpMargin ? Japanese::EucJp : Japanese::ShiftJis;
}

} // namespace CharsetGuess
