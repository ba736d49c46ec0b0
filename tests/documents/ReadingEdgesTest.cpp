// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not quite what the counts expect: bytes that make no character, separators that
// are no line breaks, short EUC-JP, UTF-8 that goes wrong late. Each reaches the counts as 〓 or as
// its own characters, never as other characters made of its bytes.

#include "documents/TextEncoding.h"

#include "../ShiftJisText.h"
#include "analysis/ByteEscape.h"
#include "analysis/Cp932Codec.h"
#include "analysis/TextStatistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Euc(std::string_view utf8)
{
    iconv_t converter = iconv_open("EUC-JP", "UTF-8");
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    iconv(converter, &in, &inLeft, &to, &toLeft);
    iconv_close(converter);
    out.resize(out.size() - toLeft);
    return out;
}

std::string Utf8Text(std::string_view utf8, std::size_t repeat)
{
    std::string out;
    for (std::size_t i = 0; i < repeat; ++i)
        out += utf8;
    return out;
}

struct Counted
{
    TextEncoding encoding;
    std::int64_t characters;
    std::int64_t lines;
    std::size_t geta;
};

// What the companion and the window count: the encoding chosen (or given), then the counting form.
Counted Count(std::string bytes, std::optional<TextEncoding> given)
{
    const TextEncoding encoding = given.value_or(DetectEncoding(bytes).encoding);
    const std::size_t geta = MakeCountingForm(bytes, encoding);
    const TextStatistics figures = CountText(bytes, CountOptions{});
    return {encoding, figures.characters, figures.lines, geta};
}

TEST(ReadingEdges, EveryFileCountsItsOwnCharacters)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::optional<TextEncoding> given;
        Counted expected;
    };
    const std::string cut = Utf8Text("吾輩は猫である。名前はまだ無い。\n", 3000).substr(0, 100000);
    const std::vector<Row> rows = {
        {"UTF-16LE with a lone low surrogate",
         std::string("\xFF\xFE\x42\x30\x00\xDE\x44\x30\x46\x30\x0A\x00\x48\x30\x4A\x30\x0A\x00",
                     18),
         {},
         {TextEncoding::Utf16Le, 6, 2, 1}},
        {"UTF-16LE with a lone high surrogate",
         std::string("\xFF\xFE\x42\x30\x3D\xD8\x44\x30", 8),
         {},
         {TextEncoding::Utf16Le, 3, 1, 1}},
        {"UTF-16LE of odd length",
         std::string("\xFF\xFE\x42\x30\x41", 5),
         {},
         {TextEncoding::Utf16Le, 2, 1, 1}},
        {"UTF-16BE with a lone low surrogate",
         std::string("\xFE\xFF\x30\x42\xDE\x00\x30\x44", 8),
         {},
         {TextEncoding::Utf16Be, 3, 1, 1}},
        {"a stray byte in given UTF-8",
         "あ\x82い\n",
         TextEncoding::Utf8,
         {TextEncoding::Utf8, 3, 1, 1}},
        {"a cut sequence in given UTF-8 is one unit",
         "あ\xE3\x81い\n",
         TextEncoding::Utf8,
         {TextEncoding::Utf8, 3, 1, 1}},
        {"an EUC-JP pair with no character",
         Euc("あ") + "\xA9\xA1" + Euc("い\n"),
         TextEncoding::EucJp,
         {TextEncoding::EucJp, 3, 1, 1}},
        {"U+2029 is a character", "a\xE2\x80\xA9\nb", {}, {TextEncoding::Utf8, 3, 2, 1}},
        {"U+2028 and U+0085 are characters",
         "a\xE2\x80\xA8"
         "b\xC2\x85"
         "c\n",
         {},
         {TextEncoding::Utf8, 5, 1, 2}},
        {"U+2029 in UTF-16",
         std::string("\xFF\xFE\x61\x00\x29\x20\x62\x00", 8),
         {},
         {TextEncoding::Utf16Le, 3, 1, 1}},
        {"short EUC-JP", Euc("あいう\nabc\n"), {}, {TextEncoding::EucJp, 6, 2, 0}},
        {"EUC-JP kanji", Euc("株式会社"), {}, {TextEncoding::EucJp, 4, 1, 0}},
        {"EUC-JP katakana", Euc("カタカナ"), {}, {TextEncoding::EucJp, 4, 1, 0}},
        {"EUC-JP with 0xFE", Euc("東京都千代田区"), {}, {TextEncoding::EucJp, 7, 1, 0}},
        {"EUC-JP hiragana", Euc("ぬるぽを"), {}, {TextEncoding::EucJp, 4, 1, 0}},
        {"Shift-JIS half-width kana stays", Sjis("ｱｲｳｴｵ"), {}, {TextEncoding::ShiftJis, 5, 1, 0}},
        {"Shift-JIS kanji stay", Sjis("東京都千代田区"), {}, {TextEncoding::ShiftJis, 7, 1, 0}},
        {"UTF-8 that goes wrong after 64 KiB",
         cut,
         {},
         {TextEncoding::Utf8, 2040 * 16 + 13 + 1, 2041, 1}},
        {"a NUL ends a UTF-8 text",
         std::string("あい\0う\n", 11),
         {},
         {TextEncoding::Utf8, 2, 1, 0}},
    };
    for (const Row& row : rows) {
        const Counted counted = Count(row.bytes, row.given);
        EXPECT_EQ(counted.encoding, row.expected.encoding) << row.name;
        EXPECT_EQ(counted.characters, row.expected.characters) << row.name;
        EXPECT_EQ(counted.lines, row.expected.lines) << row.name;
        EXPECT_EQ(counted.geta, row.expected.geta) << row.name;
    }
}

TEST(ReadingEdges, HiraganaOnlyEucJpIsEucJp)
{
    std::mt19937 random(22);
    std::uniform_int_distribution<int> kana(0x3041, 0x3093);
    for (int round = 0; round < 40; ++round) {
        std::u16string text;
        for (int i = 0; i < 4; ++i)
            text.push_back(static_cast<char16_t>(kana(random)));
        std::string bytes;
        EncodeText(text, TextEncoding::EucJp, LineBreak::Lf, false, bytes);
        EXPECT_EQ(DetectEncoding(bytes).encoding, TextEncoding::EucJp) << round;
    }
}

// Each unit read from a file is written back as it came, the separators included.
TEST(ReadingEdges, UndecodableUnitsAndSeparatorsAreWrittenBackUnchanged)
{
    const std::vector<std::pair<TextEncoding, std::string>> files = {
        {TextEncoding::Utf16Le,
         std::string("\xFF\xFE\x42\x30\x00\xDE\x29\x20\x0A\x00\x00\x00\x41", 13)},
        {TextEncoding::Utf8, "a\xE2\x80\xA9\nb\x82\xE3\x81\xC2\x85"},
        {TextEncoding::EucJp, Euc("あ") + "\xA9\xA1\x8F\xA1\xA1" + Euc("い\n")},
    };
    for (const auto& [encoding, bytes] : files) {
        const DecodedText decoded = DecodeText(bytes, encoding);
        EXPECT_EQ(std::count(decoded.text.begin(), decoded.text.end(), u'\u2029'), 0);
        std::string saved;
        EncodeText(decoded.text, encoding, decoded.lineBreak, decoded.endsWithBreak, saved);
        EXPECT_EQ(saved, bytes) << EncodingName(encoding);
    }
}

// Random bytes in each encoding other than Shift-JIS: up to the first NUL the counting form holds
// the Shift-JIS forms of the characters decoded, in their order, line breaks and 〓 only.
TEST(ReadingEdges, CountingFormHoldsOnlyDecodedCharactersAndGeta)
{
    const std::u16string alphabet = u"あ漢ｶa \n\r\u2029\u2028\u0085〓①\U00020BB7";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> choice(0, 2);
    const auto isBreak = [](char16_t c) { return c == u'\r' || c == u'\n'; };
    for (const TextEncoding encoding : AllEncodings) {
        if (encoding == TextEncoding::ShiftJis)
            continue;
        for (int round = 0; round < 1500; ++round) {
            std::string bytes;
            EncodeText(u"", encoding, LineBreak::Lf, false, bytes); // the mark, if any
            for (int piece = 0; piece < 12; ++piece) {
                if (choice(random) == 0) {
                    bytes.push_back(static_cast<char>(anyByte(random)));
                    continue;
                }
                std::string encoded;
                const std::size_t at = pick(random);
                const std::size_t length = alphabet[at] >= 0xD800 && alphabet[at] < 0xDC00 ? 2 : 1;
                EncodeText(std::u16string_view(alphabet).substr(at, length), encoding,
                           LineBreak::Lf, true, encoded);
                std::string empty;
                EncodeText(u"", encoding, LineBreak::Lf, true, empty);
                bytes += encoded.substr(empty.size());
            }
            // What the decoder made of the bytes, up to a NUL: the characters with a Shift-JIS
            // form, in order.
            const std::u16string decoded = DecodeText(bytes, encoding).text;
            std::u16string expected;
            for (std::size_t i = 0; i < decoded.size(); ++i) {
                if (ByteEscape::IsEscape(decoded[i])) {
                    const ByteEscape::Unit unit = ByteEscape::UnitAt(decoded, i);
                    if (unit.nul)
                        break;
                    i += unit.length - 1;
                } else if (!isBreak(decoded[i]) && decoded[i] != u'〓' &&
                           Cp932::HasForm(decoded[i])) {
                    expected.push_back(decoded[i]);
                }
            }
            std::string form = bytes;
            MakeCountingForm(form, encoding);
            form = form.substr(0, form.find('\0'));
            const std::u16string counted = Cp932::Decode(form);
            std::u16string characters;
            for (const char16_t c : counted) {
                ASSERT_FALSE(ByteEscape::IsEscape(c)) << EncodingName(encoding) << round;
                if (!isBreak(c) && c != u'〓')
                    characters.push_back(c);
            }
            // Code page 932 gives some characters one form (U+2212 and U+FF0D): compared as read
            // back.
            std::string expectedForm;
            Cp932::Encode(expected, expectedForm);
            ASSERT_EQ(characters, Cp932::Decode(expectedForm))
                << EncodingName(encoding) << " round " << round;
        }
    }
}

} // namespace
