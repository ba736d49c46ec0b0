// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TextEncoding.h"

#include "../ShiftJisText.h"
#include "../analysis/RandomText.h"
#include "analysis/CharacterCensus.h"
#include "analysis/Cp932Codec.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCount.h"
#include "documents/Document.h"
#include "shell/TextBytes.h"
#include "shell/TextLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::string_view Novel = "　吾輩は猫である。名前はまだ無い。\n"
                                   "どこで生れたか頓と見当がつかぬ。ﾊﾝｶｸ and English words.\n"
                                   "何でも薄暗いじめじめした所で泣いていた事だけは記憶している。";

std::u16string Utf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? b : b & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string Replace(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(from)) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian)
{
    std::string out;
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// The file of `utf8` (LF breaks) in an encoding, with the given break, independently of the
// encoder under test (EUC-JP through the system's converter via the test's own table row).
std::string FileBytes(TextEncoding encoding, std::string_view utf8, std::string_view brk)
{
    const std::string text = Replace(utf8, "\n", brk);
    switch (encoding) {
    case TextEncoding::Utf8:
        return text;
    case TextEncoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case TextEncoding::Utf16Le:
        return "\xFF\xFE" + Utf16Bytes(Utf16(text), false);
    case TextEncoding::Utf16Be:
        return "\xFE\xFF" + Utf16Bytes(Utf16(text), true);
    default: {
        std::string out;
        EncodeText(Utf16(text), encoding, LineBreak::Lf, true, out);
        return out;
    }
    }
}

// Every encoding with and without a byte-order mark, every line break, with and without a byte
// that begins no character: the file reads as its text and writes back byte for byte.
TEST(FileEncodings, OpenedAndSavedUnchangedAreByteIdentical)
{
    struct Break
    {
        std::string_view bytes;
        LineBreak kind;
    };
    const Break breaks[] = {
        {"\r\n", LineBreak::CrLf}, {"\n", LineBreak::Lf}, {"\r", LineBreak::Cr}};
    const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                      TextEncoding::Utf16Le, TextEncoding::Utf16Be,
                                      TextEncoding::EucJp};
    for (const TextEncoding encoding : encodings)
        for (const Break& brk : breaks)
            for (const bool finalBreak : {false, true})
                for (const bool invalid : {false, true}) {
                    SCOPED_TRACE(std::string(EncodingName(encoding)) + " break " +
                                 std::to_string(static_cast<int>(brk.kind)) + " final " +
                                 std::to_string(finalBreak) + " invalid " +
                                 std::to_string(invalid));
                    const std::string text = std::string(Novel) + (finalBreak ? "\n" : "");
                    std::string bytes = FileBytes(encoding, text, brk.bytes);
                    // A lone byte is no character of UTF-8 or EUC-JP; a lone surrogate none of
                    // UTF-16.
                    const bool utf16 =
                        encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
                    if (invalid)
                        bytes.insert(bytes.size() / 4 * 2, utf16 ? "\xDC\xDC" : "\xFF");
                    const DecodedText decoded = DecodeText(bytes, encoding);
                    EXPECT_EQ(decoded.lineBreak, brk.kind);
                    EXPECT_EQ(decoded.endsWithBreak, finalBreak);
                    if (!invalid) {
                        EXPECT_EQ(decoded.text, Utf16(std::string(Novel) + "\n"));
                    }
                    std::string saved;
                    EXPECT_TRUE(EncodeText(decoded.text, encoding, decoded.lineBreak,
                                           decoded.endsWithBreak, saved));
                    EXPECT_EQ(saved, bytes);
                    if (!invalid && encoding != TextEncoding::Utf8) {
                        EXPECT_EQ(DetectEncoding(bytes).encoding, encoding);
                    }
                }
}

// Any bytes at all (without CR, so that the breaks are of one kind) come back unchanged.
TEST(FileEncodings, RandomBytesSurviveReadingAndWriting)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 64);
    const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf16Le,
                                      TextEncoding::Utf16Be, TextEncoding::EucJp};
    for (int round = 0; round < 2000; ++round)
        for (const TextEncoding encoding : encodings) {
            std::string bytes(length(random), '\0');
            for (char& c : bytes) {
                c = static_cast<char>(anyByte(random));
                if (c == '\r')
                    c = '\n';
            }
            if (encoding == TextEncoding::Utf16Le)
                bytes = "\xFF\xFE" + bytes;
            if (encoding == TextEncoding::Utf16Be)
                bytes = "\xFE\xFF" + bytes;
            const DecodedText decoded = DecodeText(bytes, encoding);
            std::string saved;
            EncodeText(decoded.text, encoding, decoded.lineBreak, decoded.endsWithBreak, saved);
            ASSERT_EQ(saved, bytes) << EncodingName(encoding) << " round " << round;
        }
}

TEST(FileEncodings, DetectionOfTheHardCases)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        TextEncoding expected;
        bool notUtf8 = false;
    };
    const std::string kanaPair = "\xC4\xB0"; // ﾄｰ in Shift-JIS, and a valid UTF-8 pair
    const std::string longUtf8 = std::string(70000, 'a') + "猫";
    std::string lateInvalid = "吾輩" + std::string(70000, 'a');
    lateInvalid += Sjis("猫");
    const std::vector<Row> rows = {
        {"an empty file is Shift-JIS", "", TextEncoding::ShiftJis},
        {"a file of NULs is Shift-JIS", std::string(16, '\0'), TextEncoding::ShiftJis},
        {"pure ASCII is Shift-JIS", "abc\r\n", TextEncoding::ShiftJis},
        {"a two-byte Shift-JIS file", Sjis("あ"), TextEncoding::ShiftJis},
        {"ﾄｰ then more Shift-JIS", kanaPair + Sjis("ﾙｽﾄｲの小説を読んだ。"), TextEncoding::ShiftJis},
        {"a Shift-JIS novel", Sjis(Novel), TextEncoding::ShiftJis},
        {"a UTF-8 novel", std::string(Novel), TextEncoding::Utf8},
        {"ASCII for the first 64 KiB, then UTF-8", longUtf8, TextEncoding::Utf8},
        {"UTF-8 that turns invalid after 64 KiB", lateInvalid, TextEncoding::Utf8, true},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + std::string(Novel), TextEncoding::Utf8Bom},
        {"UTF-16 little-endian",
         "\xFF\xFE"
         "a\0",
         TextEncoding::Utf16Le},
        {"UTF-16 big-endian",
         "\xFE\xFF"
         "\0a",
         TextEncoding::Utf16Be},
        {"an EUC-JP novel", FileBytes(TextEncoding::EucJp, Novel, "\n"), TextEncoding::EucJp},
    };
    for (const Row& row : rows) {
        const EncodingGuess guess = DetectEncoding(row.bytes);
        EXPECT_EQ(guess.encoding, row.expected) << row.name;
        EXPECT_EQ(guess.notUtf8, row.notUtf8) << row.name;
    }
}

// A novel in any encoding gives the counts the same Shift-JIS form as its Shift-JIS twin.
TEST(CountingForm, EveryEncodingOfANovelCountsAsItsShiftJisTwin)
{
    const std::string text = std::string(Novel) + "\n";
    std::string twin = Sjis(Replace(text, "\n", "\r\n"));
    for (const TextEncoding encoding : AllEncodings) {
        std::string bytes =
            encoding == TextEncoding::ShiftJis ? Sjis(text) : FileBytes(encoding, text, "\n");
        EXPECT_EQ(MakeCountingForm(bytes, encoding), 0u) << EncodingName(encoding);
        EXPECT_EQ(bytes, twin) << EncodingName(encoding);
    }
}

// The one-pass form of a Shift-JIS file is the editor's: its lines by the line rule, each with CR
// LF.
TEST(CountingForm, ShiftJisFormIsTheLinesOfTheLineRuleOnAnyBytes)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 2000; ++round) {
        const std::string original = RandomShiftJisText(random, 64, true);
        std::string form = original;
        MakeCountingForm(form, TextEncoding::ShiftJis);
        ASSERT_EQ(form, JoinLinesWithCrLf(SplitLines(original))) << round;
    }
}

// The counting form of the way through UTF-16, for comparing the direct way with.
std::string FormThroughUtf16(std::string_view bytes, TextEncoding encoding, std::size_t& geta)
{
    std::string throughUtf16;
    geta = Cp932::EncodeForCounting(DecodeText(bytes, encoding).text, throughUtf16,
                                    Cp932::LineBreaks::Convert, Cp932::Escapes::Geta);
    std::string form;
    TextLines::AppendWithCrLf(throughUtf16, form);
    return form;
}

// UTF-8 goes to Shift-JIS directly where its breaks allow; the form and the geta count are those
// of the way through UTF-16 that any other text takes, whatever the breaks, NULs and stray bytes.
TEST(CountingForm, DirectUtf8FormIsTheFormThroughUtf16)
{
    const std::string pieces[] = {"\r\n",
                                  "\r\n",
                                  "\r\n",
                                  "a",
                                  "\xE3\x81\x82",
                                  "\xE6\xBC\xA2",
                                  "\xEF\xBD\xB1",
                                  "\xCE\xB1",
                                  "\xF0\x9F\x98\x80",
                                  "\xE2\x82\xAC",
                                  "\xE0\x80\x80",
                                  "\xED\xA0\x80",
                                  "\xE3\x81",
                                  "\xFF",
                                  "\r",
                                  "\n",
                                  std::string(1, '\0')};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 120);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::bernoulli_distribution flaw(0.03);
    int direct = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = round % 5 == 0 ? "\xEF\xBB\xBF" : "";
        for (std::size_t n = length(random); n > 0; --n) {
            const std::size_t p = piece(random);
            bytes += p < 14 || flaw(random) ? pieces[p] : pieces[0];
        }
        const TextEncoding encoding = round % 5 == 0 ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
        std::size_t expectedGeta = 0;
        const std::string expected = FormThroughUtf16(bytes, encoding, expectedGeta);
        TextBytes form{std::string(bytes)};
        const std::size_t geta = MakeCountingForm(form, encoding);
        ASSERT_EQ(form.View(), expected) << "round " << round;
        ASSERT_EQ(geta, expectedGeta) << "round " << round;
        direct += bytes.find('\0') == std::string::npos && bytes.find("\r\r") == std::string::npos;
    }
    EXPECT_GT(direct, 1000); // the direct way was taken often
}

// A novel long enough to be made in two halves at once gives the form of the way through UTF-16,
// whatever stands where the halves meet: a lone LF or CR there or far from it, stray bytes and
// characters without a form on either side, a break at the very end or none.
TEST(CountingForm, LongUtf8MadeInHalvesIsTheFormThroughUtf16)
{
    const std::string line = "\xE3\x80\x80\xE5\x90\xBE\xE8\xBC\xA9\xE3\x81\xAF"
                             "cat-like "
                             "\xF0\x9F\x98\x80\xE3\x80\x82\r\n";
    std::string novel;
    while (novel.size() < (std::size_t{5} << 20))
        novel += line;
    const std::size_t middle = novel.find("\r\n", novel.size() / 2) + 2;
    struct Row
    {
        const char* name;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"CR LF throughout", novel},
        {"no break at the end", novel.substr(0, novel.size() - 2)},
        {"a lone LF where the halves meet", novel.substr(0, middle) + "\n" + novel.substr(middle)},
        {"a lone CR before the meeting",
         novel.substr(0, middle - 2) + "\r" + novel.substr(middle - 2)},
        {"a lone LF near the end",
         novel.substr(0, novel.size() - 40) + "\n" + novel.substr(novel.size() - 40)},
        {"stray bytes about the meeting", novel.substr(0, middle - 3) + "\xE3\x81" +
                                              novel.substr(middle - 3, 5) + "\xFF\x80" +
                                              novel.substr(middle + 2)},
        {"a NUL in the second half",
         novel.substr(0, middle + 100) + std::string(1, '\0') + novel.substr(middle + 100)},
    };
    for (const Row& row : rows) {
        std::size_t expectedGeta = 0;
        const std::string expected = FormThroughUtf16(row.bytes, TextEncoding::Utf8, expectedGeta);
        TextBytes form{std::string(row.bytes)};
        const std::size_t geta = MakeCountingForm(form, TextEncoding::Utf8);
        EXPECT_TRUE(form.View() == expected) << row.name;
        EXPECT_EQ(geta, expectedGeta) << row.name;
    }
}

// 𠮷 and an emoji are one double-byte character each, put by the census where 〓 goes.
TEST(CountingForm, CharactersWithoutAShiftJisFormCountAsTheGetaMark)
{
    std::string bytes = "𠮷野家😀\n";
    EXPECT_EQ(MakeCountingForm(bytes, TextEncoding::Utf8), 2u);
    EXPECT_EQ(bytes, Sjis("〓野家〓\r\n"));
    const CountOptions options;
    EXPECT_EQ(CountText(bytes, options, 1).characters, 4);
    EXPECT_EQ(CountCharacterTypes(bytes, options),
              CountCharacterTypes(Sjis("〓野家〓\r\n"), options));
}

TEST(CountingForm, RewritesGetBackTheCharactersTheMarkStoodFor)
{
    const std::u16string source = Utf16("𠮷と〓と①\n");
    std::u16string rewritten = Utf16("　〓と〓と①\n");
    RestoreGetaMarks(rewritten, source);
    EXPECT_EQ(rewritten, Utf16("　𠮷と〓と①\n"));
}

} // namespace
