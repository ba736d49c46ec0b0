// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/CharacterCensus.h"
#include "RandomText.h"
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr CountOptions AllOn{};
constexpr CountOptions AllOff{false, false, false, LineMode::Logical};

// Which field of the census one character lands in.
enum class Field
{
    None,
    Hiragana,
    Katakana,
    HalfWidthKana,
    SingleLetters,
    DoubleLetters,
    SingleDigits,
    DoubleDigits,
    SingleSymbols,
    Greek,
    SingleOthers,
    DoubleOthers
};

std::int32_t FieldOf(const CharacterCensus& c, Field field)
{
    switch (field) {
    case Field::Hiragana:
        return c.hiragana;
    case Field::Katakana:
        return c.katakana;
    case Field::HalfWidthKana:
        return c.halfWidthKana;
    case Field::SingleLetters:
        return c.singleByteLetters;
    case Field::DoubleLetters:
        return c.doubleByteLetters;
    case Field::SingleDigits:
        return c.singleByteDigits;
    case Field::DoubleDigits:
        return c.doubleByteDigits;
    case Field::SingleSymbols:
        return c.singleByteSymbols;
    case Field::Greek:
        return c.greek;
    case Field::SingleOthers:
        return c.singleByteOthers;
    case Field::DoubleOthers:
        return c.doubleByteOthers;
    case Field::None:
        break;
    }
    return -1;
}

TEST(CountCharacterTypes, PutsEachCharacterInItsBin)
{
    struct Row
    {
        const char* fact;
        std::string character;
        Field field;
    };
    const std::vector<Row> rows = {
        {"A", "A", Field::SingleLetters},
        {"z", "z", Field::SingleLetters},
        {"0", "0", Field::SingleDigits},
        {"!", "!", Field::SingleSymbols},
        {"~", "~", Field::SingleSymbols},
        {"@", "@", Field::SingleSymbols},
        {"half-width full stop is a symbol", "\xA1", Field::SingleSymbols},
        {"half-width wo is kana", "\xA6", Field::HalfWidthKana},
        {"half-width semi-voiced mark is kana", "\xDF", Field::HalfWidthKana},
        {"a counted blank is another single byte", " ", Field::SingleOthers},
        {"a control character", "\x01", Field::SingleOthers},
        {"DEL", "\x7F", Field::SingleOthers},
        {"0xA0", "\xA0", Field::SingleOthers},
        {"0xFD", "\xFD", Field::SingleOthers},
        {"full-width zero", "\x82\x4F", Field::DoubleDigits},
        {"full-width nine", "\x82\x58", Field::DoubleDigits},
        {"full-width A", "\x82\x60", Field::DoubleLetters},
        {"full-width z", "\x82\x9A", Field::DoubleLetters},
        {"small a", "\x82\x9F", Field::Hiragana},
        {"n", "\x82\xF1", Field::Hiragana},
        {"katakana small a", "\x83\x40", Field::Katakana},
        {"katakana vu", "\x83\x94", Field::Katakana},
        {"0x837F is no katakana", "\x83\x7F", Field::DoubleOthers},
        {"small ke", "\x83\x96", Field::Katakana},
        {"alpha", "\x83\x9F", Field::Greek},
        {"small omega", "\x83\xD6", Field::Greek},
        {"between the Greek cases", "\x83\xB7", Field::DoubleOthers},
        {"prolonged sound mark", "\x81\x5B", Field::DoubleOthers},
        {"a counted double-byte blank", "\x81\x40", Field::DoubleOthers},
        {"a kanji", "\x8C\xEA", Field::DoubleOthers},
        {"a lone lead byte", "\x82", Field::DoubleOthers},
    };
    for (const Row& row : rows) {
        const CharacterCensus census = CountCharacterTypes(row.character, AllOn);
        EXPECT_EQ(census.allCharacters, 1) << row.fact;
        EXPECT_EQ(FieldOf(census, row.field), 1) << row.fact;
        const bool single = row.field == Field::SingleLetters || row.field == Field::SingleDigits ||
                            row.field == Field::SingleSymbols ||
                            row.field == Field::HalfWidthKana || row.field == Field::SingleOthers;
        EXPECT_EQ(census.singleByteTotal, single ? 1 : 0) << row.fact;
        EXPECT_EQ(census.doubleByteTotal, single ? 0 : 1) << row.fact;
    }
}

TEST(CountCharacterTypes, ExcludedCharactersAreCountedNowhere)
{
    EXPECT_EQ(CountCharacterTypes("\r\n\r\n", AllOn), CharacterCensus{});
    EXPECT_EQ(CountCharacterTypes(" \t\x81\x40", AllOff), CharacterCensus{});
    const CharacterCensus census = CountCharacterTypes("a b\r\n", AllOff);
    EXPECT_EQ(census.allCharacters, 2);
    EXPECT_EQ(census.singleByteTotal, 2);
    EXPECT_EQ(census.singleByteOthers, 0);
}

TEST(CountCharacterTypes, GoesOnPastANul)
{
    const CharacterCensus census = CountCharacterTypes("ab\0cd"s, AllOn);
    EXPECT_EQ(census.allCharacters, 2);
    EXPECT_EQ(census.singleByteLetters, 4);
    EXPECT_EQ(census.singleByteOthers, 1);
    EXPECT_EQ(CountCharacterTypes("\0ab"s, AllOn), CharacterCensus{});
}

TEST(CountCharacterTypes, TotalsAgreeWithTheCharacterCount)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomShiftJisText(random, 400, false);
        for (const CountOptions& options : {AllOn, AllOff, CountOptions{true, false, true}}) {
            const CharacterCensus c = CountCharacterTypes(text, options);
            ASSERT_EQ(c.allCharacters, CountText(text, options, 1).characters) << round;
            ASSERT_EQ(c.singleByteTotal + c.doubleByteTotal, c.allCharacters) << round;
            ASSERT_EQ(c.singleByteLetters + c.halfWidthKana + c.singleByteDigits +
                          c.singleByteSymbols + c.singleByteOthers,
                      c.singleByteTotal)
                << round;
            ASSERT_EQ(c.doubleByteDigits + c.doubleByteLetters + c.hiragana + c.katakana + c.greek +
                          c.doubleByteOthers,
                      c.doubleByteTotal)
                << round;
        }
    }
}

TEST(CountCharacterTypes, BinsMatchOneCharacterAtATime)
{
    // A long text binned whole must equal the sum of its characters binned one by one.
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        const std::string text = RandomShiftJisText(random, 500, false);
        CharacterCensus sum;
        for (const ShiftJis::Character& c : ShiftJis::Characters(text))
            sum += CountCharacterTypes(text.substr(c.position, c.length), AllOn);
        ASSERT_EQ(CountCharacterTypes(text, AllOn), sum) << round;
    }
}

TEST(MakeCharacterTypeReport, WritesTheReportByteForByte)
{
    // Two hiragana, a kanji, "A1".
    const CharacterCensus census = CountCharacterTypes("\x82\xA0\x82\xA2\x8C\xEA"
                                                       "A1",
                                                       AllOn);
    const std::string expected =
        "--- \x8E\xED\x97\xDE\x82\xB2\x82\xC6\x82\xCC\x95\xB6\x8E\x9A\x90\x94 ---\r\n"
        "\r\n"
        "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x95\xB6\x8E\x9A\x90\x94 : 5\r\n"
        "---------------------------------------\r\n"
        "1\x83o\x83"
        "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : 2  ( 40.00 % )\r\n"
        "2\x83o\x83"
        "C\x83g\x95\xB6\x8E\x9A\x82\xCC\x91\x8D\x90\x94 : 3  ( 60.00 % )\r\n"
        "---------------------------------------\r\n"
        "1\x83o\x83"
        "C\x83g\x83"
        "A\x83\x8B\x83t\x83@\x83x\x83"
        "b\x83g : 1  ( 20.00 % )\r\n"
        "2\x83o\x83"
        "C\x83g\x83"
        "A\x83\x8B\x83t\x83@\x83x\x83"
        "b\x83g : 0  ( 0.00 % )\r\n"
        "\r\n"
        "1\x83o\x83"
        "C\x83g\x90\x94\x8E\x9A : 1  ( 20.00 % )\r\n"
        "2\x83o\x83"
        "C\x83g\x90\x94\x8E\x9A : 0  ( 0.00 % )\r\n"
        "\r\n"
        "\x82\xD0\x82\xE7\x82\xAA\x82\xC8 : 2  ( 40.00 % )\r\n"
        "\x83J\x83^\x83J\x83i : 0  ( 0.00 % )\r\n"
        "\x94\xBC\x8Ap\x83J\x83i : 0  ( 0.00 % )\r\n"
        "\r\n"
        "1\x83o\x83"
        "C\x83g\x8BL\x8D\x86 : 0  ( 0.00 % )\r\n"
        "\x83M\x83\x8A\x83V\x83\x83\x95\xB6\x8E\x9A : 0  ( 0.00 % )\r\n"
        "\r\n"
        "\x82\xBB\x82\xCC\x91\xBC\x82\xCC 1\x83o\x83"
        "C\x83g\x95\xB6\x8E\x9A : 0  ( 0.00 % )\r\n"
        "\x82\xBB\x82\xCC\x91\xBC\x82\xCC 2\x83o\x83"
        "C\x83g\x95\xB6\x8E\x9A : 1  ( 20.00 % )";
    EXPECT_EQ(MakeCharacterTypeReport(census), expected);
}

TEST(MakeCharacterTypeReport, SharesRoundHalfAwayFromZero)
{
    CharacterCensus census;
    census.allCharacters = 3;
    census.singleByteTotal = 1; // 33.33
    census.doubleByteTotal = 2; // 66.67
    const std::string report = *MakeCharacterTypeReport(census);
    EXPECT_NE(report.find(" : 1  ( 33.33 % )\r\n"), std::string::npos);
    EXPECT_NE(report.find(" : 2  ( 66.67 % )\r\n"), std::string::npos);
    census.allCharacters = 8;
    census.singleByteTotal = 1; // 12.5 exactly, 12.50
    census.greek = 7;           // 87.50
    EXPECT_NE(MakeCharacterTypeReport(census)->find(" : 7  ( 87.50 % )"), std::string::npos);
}

TEST(MakeCharacterTypeReport, NothingWithoutCountedCharacters)
{
    EXPECT_EQ(MakeCharacterTypeReport(CountCharacterTypes("   ", AllOff)), std::nullopt);
    EXPECT_EQ(MakeCharacterTypeReport(CharacterCensus{}), std::nullopt);
}

// Sums go on past 2^31 and stop at the largest 64-bit value instead of wrapping around.
TEST(CharacterCensus, AddingSaturates)
{
    CharacterCensus a;
    a.allCharacters = INT32_MAX - 1;
    a.hiragana = INT64_MAX - 1;
    a.katakana = 5;
    CharacterCensus b;
    b.allCharacters = 10;
    b.hiragana = 6;
    b.katakana = 6;
    a += b;
    EXPECT_EQ(a.allCharacters, std::int64_t{INT32_MAX} + 9);
    EXPECT_EQ(a.hiragana, INT64_MAX);
    EXPECT_EQ(a.katakana, 11);
}

} // namespace
