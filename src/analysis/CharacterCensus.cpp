#include "CharacterCensus.h"

#include "ReportFormat.h"
#include "Saturate.h"
#include "ShiftJis.h"

#include <array>

namespace {

// The bins a character can land in; Excluded is counted nowhere.
enum Bin : unsigned char
{
    Excluded,
    SingleLetter,
    HalfWidthKana,
    SingleDigit,
    SingleSymbol,
    SingleOther,
    DoubleDigit,
    DoubleLetter,
    Hiragana,
    Katakana,
    Greek,
    DoubleOther,
    BinCount
};

constexpr bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Bins of the single bytes with every switch on; blanks and TABs land with the other characters.
constexpr std::array<unsigned char, 256> MakeSingleByteBins()
{
    std::array<unsigned char, 256> bins{};
    for (int b = 0; b < 256; ++b) {
        Bin bin = SingleOther;
        if (InRange(b, 0x41, 0x5A) || InRange(b, 0x61, 0x7A))
            bin = SingleLetter;
        else if (InRange(b, 0xA6, 0xDF))
            bin = HalfWidthKana;
        else if (InRange(b, 0x30, 0x39))
            bin = SingleDigit;
        else if (InRange(b, 0x21, 0x2F) || InRange(b, 0x3A, 0x40) || InRange(b, 0x5B, 0x60) ||
                 InRange(b, 0x7B, 0x7E) || InRange(b, 0xA1, 0xA5))
            bin = SingleSymbol;
        bins[static_cast<std::size_t>(b)] = bin;
    }
    bins[ShiftJis::CR] = bins[ShiftJis::LF] = Excluded;
    return bins;
}

constexpr Bin DoubleByteBin(int code)
{
    if (InRange(code, 0x824F, 0x8258))
        return DoubleDigit;
    if (InRange(code, 0x8260, 0x8279) || InRange(code, 0x8281, 0x829A))
        return DoubleLetter;
    if (InRange(code, 0x829F, 0x82F1))
        return Hiragana;
    if (InRange(code, 0x8340, 0x837E) || InRange(code, 0x8380, 0x8396))
        return Katakana;
    if (InRange(code, 0x839F, 0x83B6) || InRange(code, 0x83BF, 0x83D6))
        return Greek;
    return DoubleOther;
}

// Only lead bytes 0x82 and 0x83 start a character outside the other bin: one row of trail bytes
// for each of them, and one row of "other" for every other lead byte.
constexpr std::array<std::array<unsigned char, 256>, 3> MakeDoubleByteBins()
{
    std::array<std::array<unsigned char, 256>, 3> rows{};
    for (int trail = 0; trail < 256; ++trail) {
        const auto t = static_cast<std::size_t>(trail);
        rows[0][t] = DoubleOther;
        rows[1][t] = DoubleByteBin(0x8200 + trail);
        rows[2][t] = DoubleByteBin(0x8300 + trail);
    }
    return rows;
}

constexpr std::array<unsigned char, 256> SingleByteBins = MakeSingleByteBins();
constexpr std::array<std::array<unsigned char, 256>, 3> DoubleByteBins = MakeDoubleByteBins();

constexpr std::size_t RowOfLead(std::uint32_t lead)
{
    return lead == 0x82 ? 1 : lead == 0x83 ? 2 : 0;
}

using BinCounts = std::array<std::int64_t, BinCount>;

BinCounts CountBins(std::string_view text, const CountOptions& options) noexcept
{
    std::array<unsigned char, 256> singleBins = SingleByteBins;
    if (!options.countSpace)
        singleBins[ShiftJis::Space] = Excluded;
    if (!options.countTab)
        singleBins[ShiftJis::Tab] = Excluded;
    BinCounts counts{};
    std::int64_t uncountedBlanks = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (c.doubleByte) {
            ++counts[DoubleByteBins[RowOfLead(c.code >> 8)][c.code & 0xFF]];
            uncountedBlanks += c.code == ShiftJis::DoubleByteSpace;
        } else {
            ++counts[singleBins[c.code]];
        }
    }
    if (!options.countDoubleByteSpace)
        counts[DoubleOther] -= uncountedBlanks;
    return counts;
}

std::int32_t Sum(const BinCounts& counts, Bin first, Bin last)
{
    std::int64_t sum = 0;
    for (int bin = first; bin <= last; ++bin)
        sum += counts[static_cast<std::size_t>(bin)];
    return SaturateToInt32(sum);
}

} // namespace

CharacterCensus& CharacterCensus::operator+=(const CharacterCensus& other) noexcept
{
    const auto add = [](std::int32_t& to, std::int32_t from) { to = SaturatingAdd(to, from); };
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

CharacterCensus CountCharacterTypes(std::string_view text, const CountOptions& options) noexcept
{
    CharacterCensus census;
    census.allCharacters = CountText(text, options, 1).characters;
    if (census.allCharacters == 0)
        return census;
    // Unlike the character count, the census goes on past a NUL byte, which it bins as a
    // single-byte character.
    const BinCounts counts = CountBins(text, options);
    const auto at = [&counts](Bin bin) { return SaturateToInt32(counts[bin]); };
    census.hiragana = at(Hiragana);
    census.katakana = at(Katakana);
    census.halfWidthKana = at(HalfWidthKana);
    census.singleByteLetters = at(SingleLetter);
    census.doubleByteLetters = at(DoubleLetter);
    census.singleByteDigits = at(SingleDigit);
    census.doubleByteDigits = at(DoubleDigit);
    census.singleByteSymbols = at(SingleSymbol);
    census.greek = at(Greek);
    census.singleByteTotal = Sum(counts, SingleLetter, SingleOther);
    census.singleByteOthers = at(SingleOther);
    census.doubleByteTotal = Sum(counts, DoubleDigit, DoubleOther);
    census.doubleByteOthers = at(DoubleOther);
    return census;
}

namespace {

const std::string Rule = "---------------------------------------\r\n";
const std::string LineEnd = "\r\n";

std::string ValueLine(const char* label, std::int32_t count, std::int32_t all)
{
    return label + std::to_string(count) + "  ( " + FormatPercentage(count, all) + " % )";
}

} // namespace

std::optional<std::string> MakeCharacterTypeReport(const CharacterCensus& census)
{
    if (census.allCharacters == 0)
        return std::nullopt;
    const std::int32_t all = census.allCharacters;
    std::string report;
    // "--- 種類ごとの文字数 ---"
    report += "--- \x8E\xED\x97\xDE\x82\xB2\x82\xC6\x82\xCC\x95\xB6\x8E\x9A\x90\x94 ---\r\n\r\n";
    // "すべての文字数 : "
    report += "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x95\xB6\x8E\x9A\x90\x94 : " +
              std::to_string(all) + LineEnd + Rule;
    // "1バイト文字の総数 : ", "2バイト文字の総数 : "
    report += ValueLine("1\x83o\x83" "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : ",
                        census.singleByteTotal, all) + LineEnd;
    report += ValueLine("2\x83o\x83" "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : ",
                        census.doubleByteTotal, all) + LineEnd + Rule;
    // "1バイトアルファベット : ", "2バイトアルファベット : "
    report += ValueLine("1\x83o\x83" "C\x83g\x83" "A\x83\x8B\x83t\x83@\x83x\x83" "b\x83g : ",
                        census.singleByteLetters, all) + LineEnd;
    report += ValueLine("2\x83o\x83" "C\x83g\x83" "A\x83\x8B\x83t\x83@\x83x\x83" "b\x83g : ",
                        census.doubleByteLetters, all) + LineEnd + LineEnd;
    // "1バイト数字 : ", "2バイト数字 : "
    report += ValueLine("1\x83o\x83" "C\x83g\x90\x94\x8E\x9A : ", census.singleByteDigits, all) + LineEnd;
    report += ValueLine("2\x83o\x83" "C\x83g\x90\x94\x8E\x9A : ", census.doubleByteDigits, all) +
              LineEnd + LineEnd;
    // "ひらがな : ", "カタカナ : ", "半角カナ : "
    report += ValueLine("\x82\xD0\x82\xE7\x82\xAA\x82\xC8 : ", census.hiragana, all) + LineEnd;
    report += ValueLine("\x83J\x83^\x83J\x83i : ", census.katakana, all) + LineEnd;
    report += ValueLine("\x94\xBC\x8Ap\x83J\x83i : ", census.halfWidthKana, all) + LineEnd + LineEnd;
    // "1バイト記号 : ", "ギリシャ文字 : "
    report += ValueLine("1\x83o\x83" "C\x83g\x8BL\x8D\x86 : ", census.singleByteSymbols, all) + LineEnd;
    report += ValueLine("\x83M\x83\x8A\x83V\x83\x83\x95\xB6\x8E\x9A : ", census.greek, all) +
              LineEnd + LineEnd;
    // "その他の 1バイト文字 : ", "その他の 2バイト文字 : "
    report += ValueLine("\x82\xBB\x82\xCC\x91\xBC\x82\xCC 1\x83o\x83" "C\x83g\x95\xB6\x8E\x9A : ",
                        census.singleByteOthers, all) + LineEnd;
    report += ValueLine("\x82\xBB\x82\xCC\x91\xBC\x82\xCC 2\x83o\x83" "C\x83g\x95\xB6\x8E\x9A : ",
                        census.doubleByteOthers, all);
    return report;
}
