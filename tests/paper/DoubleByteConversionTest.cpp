// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/DoubleByteConversion.h"
#include "ShiftJisText.h"
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

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

} // namespace
