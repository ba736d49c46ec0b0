// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/DoubleByteConversion.h"
#include "ShiftJisText.h"
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::string Bytes(std::uint16_t doubleByte)
{
    return {static_cast<char>(doubleByte >> 8), static_cast<char>(doubleByte & 0xFF)};
}

TEST(DoubleByteConversion, TableHoldsTheKanaAndSymbols)
{
    const DoubleByteTable table = BuildDoubleByteTable();
    EXPECT_EQ(table.size(), 118u);
    std::string kana, expected;
    for (int c = 0xA6; c <= 0xDD; ++c)
        kana += Bytes(table.at(static_cast<std::uint16_t>(c)));
    EXPECT_EQ(
        kana,
        Sjis("ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
             "マミムメモヤユヨラリルレロワン"));
    EXPECT_EQ(Bytes(table.at(0xDEB3)), Sjis("ヴ"));
    EXPECT_EQ(Bytes(table.at(0xDFCA)), Sjis("パ"));
    EXPECT_EQ(Bytes(table.at(0x5C)), Sjis("￥"));
}

// What one byte becomes: the rule for letters and digits, else the table, else itself.
std::string ExpectedForByte(const DoubleByteTable& table, unsigned c, bool everything)
{
    if (everything && c >= 'A' && c <= 'Z')
        return Bytes(static_cast<std::uint16_t>(c + 0x821F));
    if (everything && c >= 'a' && c <= 'z')
        return Bytes(static_cast<std::uint16_t>(c + 0x8220));
    if (everything && c >= '0' && c <= '9')
        return Bytes(static_cast<std::uint16_t>(c + 0x821F));
    const auto found = table.find(static_cast<std::uint16_t>(c));
    if (found != table.end() && (everything || c >= 0xA6))
        return Bytes(found->second);
    return std::string(1, static_cast<char>(c));
}

TEST(DoubleByteConversion, EverySingleByte)
{
    const DoubleByteTable table = BuildDoubleByteTable();
    for (unsigned c = 0; c < 256; ++c) {
        const std::string byte(1, static_cast<char>(c));
        EXPECT_EQ(ConvertToDoubleBytes(byte), ExpectedForByte(table, c, true)) << c;
        EXPECT_EQ(ConvertKanaToDoubleBytes(byte), ExpectedForByte(table, c, false)) << c;
    }
}

TEST(DoubleByteConversion, EveryKanaWithASoundMark)
{
    const DoubleByteTable table = BuildDoubleByteTable();
    for (unsigned kana = 0xA6; kana <= 0xDD; ++kana) {
        for (unsigned mark : {0xDEu, 0xDFu}) {
            const auto joined = table.find(static_cast<std::uint16_t>(kana | mark << 8));
            const std::string expected =
                joined != table.end() ? Bytes(joined->second)
                                      : Bytes(table.at(static_cast<std::uint16_t>(kana))) +
                                            Bytes(table.at(static_cast<std::uint16_t>(mark)));
            const std::string text = {static_cast<char>(kana), static_cast<char>(mark)};
            EXPECT_EQ(ConvertToDoubleBytes(text), expected) << kana << " " << mark;
            EXPECT_EQ(ConvertKanaToDoubleBytes(text), expected) << kana << " " << mark;
        }
    }
}

TEST(DoubleByteConversion, WriterTexts)
{
    struct Row
    {
        const char* text;
        const char* toDoubleBytes;
        const char* kanaOnly;
    };
    const Row rows[] = {
        {"ABC xyz 123", "ＡＢＣ　ｘｙｚ　１２３", "ABC xyz 123"},
        {"ｶﾞｷﾞｸﾞﾊﾟﾋﾟｳﾞ", "ガギグパピヴ", "ガギグパピヴ"},
        {"ｱﾞｶﾟﾞ", "ア゛カ゜゛", "ア゛カ゜゛"},
        {"｢｣｡､･", "｢｣｡､・", "｢｣｡､･"},
        {"a\tb\r\nc\x01\x7F", "ａ\tｂ\r\nｃ\x01\x7F", "a\tb\r\nc\x01\x7F"},
        {"\\~", "￥～", "\\~"},
        {"あ天ア", "あ天ア", "あ天ア"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ConvertToDoubleBytes(Sjis(row.text)), Sjis(row.toDoubleBytes)) << row.text;
        EXPECT_EQ(ConvertKanaToDoubleBytes(Sjis(row.text)), Sjis(row.kanaOnly)) << row.text;
    }
    // A trail byte that looks like a half-width kana or a letter stays where it is.
    for (const std::string text : {"\x82\x41", "\x83\xB6", "a\x82"})
        EXPECT_EQ(ConvertKanaToDoubleBytes(text), text) << text;
    EXPECT_EQ(ConvertKanaToDoubleBytes("\x83\xB6\xDE"), "\x83\xB6" + Sjis("゛")); // no ｶ to join
    EXPECT_EQ(ConvertToDoubleBytes("a\x82"), Sjis("ａ") + "\x82");
}

// A submission keeps a number of one or two digits together in one cell and writes every other
// half-width letter, digit and mark one to a cell: a date reads as 1－1－52, not 1-|1-|52.
TEST(DoubleByteConversion, ForASubmission)
{
    struct Row
    {
        const char* text;
        const char* written;
    };
    const Row rows[] = {
        {"1-1-52", "1－1－52"},
        {"第3話", "第3話"},
        {"12月24日", "12月24日"},
        {"2026年", "２０２６年"},
        {"XHTML変換", "ＸＨＴＭＬ変換"},
        {"A4の紙", "Ａ４の紙"},
        {"3.14", "3．14"},
        {"x86", "ｘ８６"},
        {"Hello world!", "Ｈｅｌｌｏ ｗｏｒｌｄ！"},
        {"a\tb\r\n", "ａ\tｂ\r\n"},
        {"ｶﾀｶﾅ｡", "ｶﾀｶﾅ｡"},
        {"あ天ア", "あ天ア"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ConvertForSubmission(Sjis(row.text)), Sjis(row.written)) << row.text;
    EXPECT_EQ(ConvertForSubmission("\x82\x41"
                                   "1"),
              "\x82\x41"
              "1")
        << "a trail byte is no letter";
}

// Over any text: what stays half-width is a blank, a tab, a break, half-width katakana or a
// number of at most two digits.
TEST(DoubleByteConversion, ASubmissionLeavesOnlyShortNumbersHalfWidth)
{
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"1",    "23",       "456",     "a",   "Z",
                                             "-",    "/",        ".",       " ",   "\t",
                                             "\r\n", Sjis("漢"), Sjis("ｶ"), "\x82"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 12); n > 0; --n)
            text += pieces[random() % pieces.size()];
        const std::string written = ConvertForSubmission(text);
        std::size_t digits = 0;
        for (const ShiftJis::Character& c : ShiftJis::Characters(written)) {
            const std::uint32_t code = c.code;
            const bool digit = !c.doubleByte && code >= '0' && code <= '9';
            EXPECT_FALSE(!c.doubleByte && code > ' ' && code <= '~' && !digit)
                << "half-width letter or mark left in " << text;
            digits = digit ? digits + 1 : 0;
            EXPECT_LE(digits, 2u) << text;
        }
    }
}

} // namespace
