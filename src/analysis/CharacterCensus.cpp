// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterCensus.h"
#include "analysis/BeforeNul.h"

#include "TextAsRead.h"

#include "ByteBlock.h"
#include "ReportFormat.h"
#include "Saturate.h"
#include "ShiftJis.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Counts of the census bins in 64 bits, summed block by block.
struct BinCounts
{
    std::int64_t singleTotal = 0, singleLetters = 0, halfWidthKana = 0, singleDigits = 0,
                 singleSymbols = 0;
    std::int64_t doubleTotal = 0, doubleDigits = 0, doubleLetters = 0, hiragana = 0, katakana = 0,
                 greek = 0;
};

std::int64_t Count(std::uint64_t mask) noexcept
{
    return std::popcount(mask);
}

void CountSingleBytes(const ByteBlock& block, std::uint64_t singles, const CountOptions& options,
                      BinCounts& counts) noexcept
{
    std::uint64_t uncounted = block.Equal(ShiftJis::CR) | block.Equal(ShiftJis::LF);
    if (!options.countSpace)
        uncounted |= block.Equal(ShiftJis::Space);
    if (!options.countTab)
        uncounted |= block.Equal(ShiftJis::Tab);
    singles &= ~uncounted;
    if (singles == 0)
        return; // a block of kanji and kana with at most its line break
    counts.singleTotal += Count(singles);
    counts.singleLetters +=
        Count(singles & (block.InRange(0x41, 0x5A) | block.InRange(0x61, 0x7A)));
    counts.halfWidthKana += Count(singles & block.InRange(0xA6, 0xDF));
    counts.singleDigits += Count(singles & block.InRange(0x30, 0x39));
    counts.singleSymbols += Count(singles & (block.InRange(0x21, 0x2F) | block.InRange(0x3A, 0x40) |
                                             block.InRange(0x5B, 0x60) | block.InRange(0x7B, 0x7E) |
                                             block.InRange(0xA1, 0xA5)));
}

// Double-byte characters are binned at their trail byte, by the lead byte before it. Hiragana
// and katakana are tested first and the rarer bins only when something is left over.
void CountDoubleBytes(const ByteBlock& block, std::uint64_t trails, std::uint64_t after82,
                      std::uint64_t after83, BinCounts& counts) noexcept
{
    if (std::uint64_t t82 = trails & after82) {
        const std::uint64_t hiragana = t82 & block.InRange(0x9F, 0xF1);
        counts.hiragana += Count(hiragana);
        if ((t82 &= ~hiragana) != 0) {
            counts.doubleDigits += Count(t82 & block.InRange(0x4F, 0x58));
            counts.doubleLetters +=
                Count(t82 & (block.InRange(0x60, 0x79) | block.InRange(0x81, 0x9A)));
        }
    }
    if (std::uint64_t t83 = trails & after83) {
        const std::uint64_t katakana =
            t83 & (block.InRange(0x40, 0x7E) | block.InRange(0x80, 0x96));
        counts.katakana += Count(katakana);
        if ((t83 &= ~katakana) != 0)
            counts.greek += Count(t83 & (block.InRange(0x9F, 0xB6) | block.InRange(0xBF, 0xD6)));
    }
}

// The whole text, NUL bytes included, 64 bytes at a time.
BinCounts CountBins(std::string_view text, const CountOptions& options) noexcept
{
    BinCounts counts;
    CharacterBlocks blocks(text);
    std::uint64_t carried81 = 0, carried82 = 0, carried83 = 0; // the last byte of the block before
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
        const CharacterBlocks::Block walked = blocks.At(offset);
        const ByteBlock& block = walked.bytes;
        const std::uint64_t leads = walked.roles.lead, trails = walked.roles.trail;
        const std::uint64_t is82 = block.Equal(0x82), is83 = block.Equal(0x83);
        CountSingleBytes(block, walked.singles, options, counts);
        CountDoubleBytes(block, trails, (is82 << 1) | carried82, (is83 << 1) | carried83, counts);
        counts.doubleTotal += Count(leads);
        if (!options.countDoubleByteSpace) {
            const std::uint64_t is81 = block.Equal(0x81);
            counts.doubleTotal -= Count(trails & block.Equal(0x40) & ((is81 << 1) | carried81));
            carried81 = is81 >> 63;
        }
        carried82 = is82 >> 63, carried83 = is83 >> 63;
    }
    return counts;
}

} // namespace

CharacterCensus& CharacterCensus::operator+=(const CharacterCensus& other) noexcept
{
    const auto add = [](std::int64_t& to, std::int64_t from) { to = SaturatingAdd64(to, from); };
    add(allCharacters, other.allCharacters);
    add(hiragana, other.hiragana);
    add(katakana, other.katakana);
    add(halfWidthKana, other.halfWidthKana);
    add(singleByteLetters, other.singleByteLetters);
    add(doubleByteLetters, other.doubleByteLetters);
    add(singleByteDigits, other.singleByteDigits);
    add(doubleByteDigits, other.doubleByteDigits);
    add(singleByteSymbols, other.singleByteSymbols);
    add(greek, other.greek);
    add(singleByteTotal, other.singleByteTotal);
    add(singleByteOthers, other.singleByteOthers);
    add(doubleByteTotal, other.doubleByteTotal);
    add(doubleByteOthers, other.doubleByteOthers);
    return *this;
}

CharacterCensus CountCharacterTypes(std::string_view text, const CountOptions& options)
{
    if (options.excludeRuby && MayHoldRubyOrNotes(text))
        return CountCharacterTypes(TextAsRead(text), WithRuby(options));
    CharacterCensus census;
    const BinCounts counts = CountBins(text, options);
    // Without a NUL byte the bins cover exactly the characters the character count sees; a NUL
    // ends the writer's text for that count but not for the census.
    census.allCharacters = !HoldsNul(text) ? counts.singleTotal + counts.doubleTotal
                                           : CountText(text, options, 1).characters;
    if (census.allCharacters == 0)
        return {};
    census.hiragana = counts.hiragana;
    census.katakana = counts.katakana;
    census.halfWidthKana = counts.halfWidthKana;
    census.singleByteLetters = counts.singleLetters;
    census.doubleByteLetters = counts.doubleLetters;
    census.singleByteDigits = counts.singleDigits;
    census.doubleByteDigits = counts.doubleDigits;
    census.singleByteSymbols = counts.singleSymbols;
    census.greek = counts.greek;
    census.singleByteTotal = counts.singleTotal;
    census.singleByteOthers = counts.singleTotal - counts.singleLetters - counts.halfWidthKana -
                              counts.singleDigits - counts.singleSymbols;
    census.doubleByteTotal = counts.doubleTotal;
    census.doubleByteOthers = counts.doubleTotal - counts.doubleDigits - counts.doubleLetters -
                              counts.hiragana - counts.katakana - counts.greek;
    return census;
}

namespace {

const std::string LineEnd = "\r\n";
// The 39-hyphen rule that frames the totals.
constexpr const char* Rule = "---------------------------------------\r\n";

// One value line of the report and what follows its own line ending.
struct ReportLine
{
    const char* label;
    std::int64_t CharacterCensus::*field;
    const char* after;
};

// Labels in Shift-JIS: "1バイト文字の総数 : ", "2バイト文字の総数 : ", "1バイトアルファベット : ",
// "2バイトアルファベット : ", "1バイト数字 : ", "2バイト数字 : ", "ひらがな : ", "カタカナ : ",
// "半角カナ : ", "1バイト記号 : ", "ギリシャ文字 : ", "その他の 1バイト文字 : ",
// "その他の 2バイト文字 : ".
const ReportLine ValueLines[] = {
    {"1\x83o\x83"
     "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : ",
     &CharacterCensus::singleByteTotal, ""},
    {"2\x83o\x83"
     "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : ",
     &CharacterCensus::doubleByteTotal, Rule},
    {"1\x83o\x83"
     "C\x83g\x83"
     "A\x83\x8B\x83t\x83@\x83x\x83"
     "b\x83g : ",
     &CharacterCensus::singleByteLetters, ""},
    {"2\x83o\x83"
     "C\x83g\x83"
     "A\x83\x8B\x83t\x83@\x83x\x83"
     "b\x83g : ",
     &CharacterCensus::doubleByteLetters, "\r\n"},
    {"1\x83o\x83"
     "C\x83g\x90\x94\x8E\x9A : ",
     &CharacterCensus::singleByteDigits, ""},
    {"2\x83o\x83"
     "C\x83g\x90\x94\x8E\x9A : ",
     &CharacterCensus::doubleByteDigits, "\r\n"},
    {"\x82\xD0\x82\xE7\x82\xAA\x82\xC8 : ", &CharacterCensus::hiragana, ""},
    {"\x83J\x83^\x83J\x83i : ", &CharacterCensus::katakana, ""},
    {"\x94\xBC\x8Ap\x83J\x83i : ", &CharacterCensus::halfWidthKana, "\r\n"},
    {"1\x83o\x83"
     "C\x83g\x8BL\x8D\x86 : ",
     &CharacterCensus::singleByteSymbols, ""},
    {"\x83M\x83\x8A\x83V\x83\x83\x95\xB6\x8E\x9A : ", &CharacterCensus::greek, "\r\n"},
    {"\x82\xBB\x82\xCC\x91\xBC\x82\xCC 1\x83o\x83"
     "C\x83g\x95\xB6\x8E\x9A : ",
     &CharacterCensus::singleByteOthers, ""},
    {"\x82\xBB\x82\xCC\x91\xBC\x82\xCC 2\x83o\x83"
     "C\x83g\x95\xB6\x8E\x9A : ",
     &CharacterCensus::doubleByteOthers, ""},
};

} // namespace

std::optional<std::string> MakeCharacterTypeReport(const CharacterCensus& census)
{
    if (census.allCharacters == 0)
        return std::nullopt;
    const std::int64_t all = census.allCharacters;
    // "--- 種類ごとの文字数 ---", an empty line, "すべての文字数 : " and the rule.
    std::string report =
        "--- \x8E\xED\x97\xDE\x82\xB2\x82\xC6\x82\xCC\x95\xB6\x8E\x9A\x90\x94 ---\r\n\r\n";
    report += "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x95\xB6\x8E\x9A\x90\x94 : " + std::to_string(all) +
              LineEnd + Rule;
    for (const ReportLine& line : ValueLines) {
        const std::int64_t count = census.*line.field;
        report +=
            line.label + std::to_string(count) + "  ( " + FormatPercentage(count, all) + " % )";
        // The last line of the report has no line ending.
        if (&line != &ValueLines[std::size(ValueLines) - 1])
            report += LineEnd + line.after;
    }
    return report;
}
