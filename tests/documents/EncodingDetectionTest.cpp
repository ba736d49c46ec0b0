// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Shift-JIS is the program's own form: a file is read as EUC-JP only when its bytes make no
// Shift-JIS text or make clearly likelier Japanese as EUC-JP.

#include "JapanesePhrases.h"
#include "ShiftJisText.h"
#include "analysis/ByteEscape.h"
#include "documents/TextEncoding.h"
#include "shell/EucJp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::string AsText(std::u8string_view utf8)
{
    return {reinterpret_cast<const char*>(utf8.data()), utf8.size()};
}

std::string EucJpBytes(std::u8string_view utf8)
{
    std::u16string text;
    const std::string sjis = Sjis(utf8);
    Cp932::Decode(sjis, text);
    std::string bytes;
    EncodeText(text, TextEncoding::EucJp, LineBreak::Lf, false, bytes);
    return bytes;
}

bool ReadsWhole(std::string_view bytes, TextEncoding encoding)
{
    std::u16string text;
    if (encoding == TextEncoding::EucJp)
        EucJp::Decode(bytes, text);
    else
        Cp932::Decode(bytes, text);
    return std::none_of(text.begin(), text.end(), ByteEscape::IsEscape);
}

std::string CountingForm(const std::string& bytes, std::optional<TextEncoding> given)
{
    return std::string(ReadForCounting(TextBytes(std::string(bytes)), given).shiftJis.View());
}

std::vector<std::u8string_view> HalfWidthTexts()
{
    std::vector<std::u8string_view> texts(std::begin(HalfWidthWords), std::end(HalfWidthWords));
    texts.insert(texts.end(), std::begin(HalfWidthPhrases), std::end(HalfWidthPhrases));
    return texts;
}

} // namespace

// A Shift-JIS file of half-width katakana is Shift-JIS, alone, as a line, and as lines of a
// list; its counts are those of Shift-JIS given by name.
TEST(EncodingDetection, HalfWidthKatakanaInShiftJisIsShiftJis)
{
    const std::vector<std::u8string_view> texts = HalfWidthTexts();
    ASSERT_GE(texts.size(), 150u);
    std::string list;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string word = Sjis(texts[i]);
        for (const std::string& bytes : {word, word + "\r\n", word + "\n" + Sjis(texts[i / 2])}) {
            EXPECT_EQ(DetectEncoding(bytes).encoding, TextEncoding::ShiftJis)
                << AsText(texts[i]) << " as " << bytes.size() << " bytes";
            EXPECT_EQ(CountingForm(bytes, {}), CountingForm(bytes, TextEncoding::ShiftJis))
                << AsText(texts[i]);
        }
        list += word + "\r\n";
    }
    EXPECT_EQ(DetectEncoding(list).encoding, TextEncoding::ShiftJis);
}

// Short everyday phrases in EUC-JP are EUC-JP, alone, two to a file and after a blank line.
TEST(EncodingDetection, ShortEucJpPhrasesAreEucJp)
{
    const std::vector<std::u8string_view> phrases(std::begin(EverydayPhrases),
                                                  std::end(EverydayPhrases));
    ASSERT_GE(phrases.size(), 150u);
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        const std::string phrase = EucJpBytes(phrases[i]);
        const std::string next = EucJpBytes(phrases[(i + 1) % phrases.size()]);
        for (const std::string& bytes :
             {phrase, phrase + "\n", phrase + "\r\n" + next, "\n\n" + phrase + "\n" + next + "\n"})
            EXPECT_EQ(DetectEncoding(bytes).encoding, TextEncoding::EucJp)
                << AsText(phrases[i]) << " as " << bytes.size() << " bytes";
    }
}

// Bytes that a writer's Shift-JIS files hold, which an EUC-JP reading would turn to other
// characters or to 〓.
TEST(EncodingDetection, ShiftJisThatReadsAsSomethingElse)
{
    struct Row
    {
        const char* name;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"bytes no EUC-JP character begins with",
         "\x83\x65\xA2\xCD\xD0\xDD\xDE\xB1\xB7\xDF\xB1\xAB\x83\x95"},
        {"half-width kana in full-width brackets", Sjis(u8"「ﾃﾞｰﾀ」")},
        {"a closing bracket after half-width kana", Sjis(u8"ﾌｼ」")},
        {"a full stop after half-width kana", Sjis(u8"ｹﾞｰﾑ。")},
        {"hiragana among half-width kana", Sjis(u8"ﾒｰげﾀ")},
        {"a lead byte at the end", "ab\x82"},
        {"lead bytes before line breaks", std::string("\x82\x0A\x78\x88\x0D\x0A\x79")},
        {"half-width kana after a long English preface", std::string(70000, 'a') + "\xC3\xDE"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DetectEncoding(row.bytes).encoding, TextEncoding::ShiftJis) << row.name;
        EXPECT_EQ(CountingForm(row.bytes, {}), CountingForm(row.bytes, TextEncoding::ShiftJis))
            << row.name;
    }
}

// Two-byte UTF-8 characters are UTF-8 where they are letters of European words; Shift-JIS
// half-width katakana that happen to make other two-byte characters stay Shift-JIS.
TEST(EncodingDetection, TwoByteUtf8AgainstHalfWidthKatakana)
{
    struct Row
    {
        std::string bytes;
        TextEncoding expected;
    };
    const std::vector<Row> rows = {
        {AsText(u8"café"), TextEncoding::Utf8},
        {AsText(u8"naïve résumé\n"), TextEncoding::Utf8},
        {AsText(u8"Grüße aus Köln"), TextEncoding::Utf8},
        {AsText(u8"Привет, мир"), TextEncoding::Utf8},
        {AsText(u8"Καλημέρα"), TextEncoding::Utf8},
        {AsText(u8"£5"), TextEncoding::Utf8},
        {Sjis(u8"ﾗｼﾞｵ"), TextEncoding::ShiftJis},
        {Sjis(u8"ﾐｽ"), TextEncoding::ShiftJis},
        {Sjis(u8"ﾗｼﾞｵ体操"), TextEncoding::ShiftJis},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DetectEncoding(row.bytes).encoding, row.expected) << row.bytes;
}

// The encoding is chosen on the text, which ends at its first NUL.
TEST(EncodingDetection, WhatFollowsANulDecidesNothing)
{
    const std::string euc = EucJpBytes(u8"あいうえお\n");
    EXPECT_EQ(DetectEncoding(euc + std::string(1, '\0') + Sjis(u8"ﾃﾞｰﾀ")).encoding,
              TextEncoding::EucJp);
    const std::string sjis = Sjis(u8"ﾃﾞｰﾀ\r\n");
    EXPECT_EQ(DetectEncoding(sjis + std::string(1, '\0') + euc).encoding, TextEncoding::ShiftJis);
}

// Any Shift-JIS text whose bytes are no EUC-JP text is never EUC-JP; any bytes that are text in
// neither encoding count as Shift-JIS, byte for byte.
TEST(EncodingDetection, RandomTextsOutsideEucJpStayShiftJis)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> lead(0x81, 0xFC);
    std::uniform_int_distribution<int> trail(0x40, 0xFC);
    std::uniform_int_distribution<int> single(0x20, 0xDF);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> length(1, 24);
    int sjisTexts = 0;
    int neitherTexts = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            std::string c(1, static_cast<char>(single(random)));
            if (random() % 2 == 0) {
                c = {static_cast<char>(lead(random)), static_cast<char>(trail(random))};
            }
            if (ReadsWhole(c, TextEncoding::ShiftJis) && static_cast<unsigned char>(c[0]) >= 0x20)
                text += c;
        }
        if (!ReadsWhole(text, TextEncoding::EucJp)) {
            ++sjisTexts;
            ASSERT_NE(DetectEncoding(text).encoding, TextEncoding::EucJp) << round;
        }
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& b : bytes)
            b = static_cast<char>(std::max(anyByte(random), 1)); // a NUL would end the text
        if (!ReadsWhole(bytes, TextEncoding::ShiftJis) && !ReadsWhole(bytes, TextEncoding::EucJp) &&
            !Cp932::IsValidUtf8(bytes)) {
            ++neitherTexts;
            ASSERT_EQ(CountingForm(bytes, {}), CountingForm(bytes, TextEncoding::ShiftJis))
                << round;
        }
    }
    EXPECT_GT(sjisTexts, 1000);
    EXPECT_GT(neitherTexts, 1000);
}
