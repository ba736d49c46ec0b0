// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharsetGuess.h"

#include "EucJp.h"
#include "analysis/ByteEscape.h"
#include "analysis/Cp932Codec.h"

#include <uchardet.h>

#include <memory>
#include <string>

namespace CharsetGuess {

namespace {

struct DetectorDeleter
{
    void operator()(uchardet_t detector) const noexcept { uchardet_delete(detector); }
};

Japanese Detector(std::string_view bytes)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(
        uchardet_new());
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return Japanese::Unsure;
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    const std::string charset = name ? name : "";
    if (charset == "SHIFT_JIS" || charset == "CP932" || charset == "WINDOWS-31J")
        return Japanese::ShiftJis;
    if (charset == "EUC-JP")
        return Japanese::EucJp;
    return Japanese::Unsure;
}

// How a decoded text reads: whether every byte made a character (a unit of escapes at the very
// end may be a character cut short), and how Japanese its characters look.
struct Reading
{
    bool valid = true;
    long likeness = 0;
};

long Likeness(char16_t c) noexcept
{
    if (c >= 0x3041 && c <= 0x30FE) // hiragana and katakana
        return 2;
    if (c >= 0x3000 && c <= 0x3040) // ideographic space, 、。「」 and their kind
        return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) // half-width katakana
        return -1;
    if (c >= 0x4E00 && c <= 0x9FFF) // kanji: the common ones gain over the rare ones below
        return 1;
    if (c < 0x80)
        return 0;
    return -1; // symbols, Greek, Cyrillic, box drawing, private use
}

Reading Read(const std::u16string& text, bool cut)
{
    Reading reading;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (ByteEscape::IsEscape(c)) {
            const std::size_t length = ByteEscape::UnitAt(text, i).length;
            if (!cut || i + length != text.size())
                reading.valid = false;
            i += length - 1;
            continue;
        }
        reading.likeness += Likeness(c);
    }
    return reading;
}

// Rare kanji have the lower rows of JIS X 0208 level 1 and all of level 2: in EUC-JP a first byte
// from 0xD0, in Shift-JIS from 0x98 (after 0x9872); each such one weighs a little against the
// encoding.
long RareKanji(std::string_view bytes, bool euc) noexcept
{
    long rare = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        if (euc ? b >= 0xD0 && b <= 0xF4 : (b >= 0x99 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA))
            ++rare;
        ++i;
    }
    return rare;
}

} // namespace

Japanese Guess(std::string_view bytes, bool cut)
{
    std::u16string text;
    Cp932::Decode(bytes, text);
    const Reading shiftJis = Read(text, cut);
    text.clear();
    EucJp::Decode(bytes, text);
    const Reading euc = Read(text, cut);
    if (shiftJis.valid != euc.valid)
        return shiftJis.valid ? Japanese::ShiftJis : Japanese::EucJp;
    if (shiftJis.valid) {
        const long sjisScore = shiftJis.likeness - RareKanji(bytes, false);
        const long eucScore = euc.likeness - RareKanji(bytes, true);
        if (sjisScore != eucScore)
            return sjisScore > eucScore ? Japanese::ShiftJis : Japanese::EucJp;
    }
    return Detector(bytes);
}

} // namespace CharsetGuess
