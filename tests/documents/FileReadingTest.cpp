// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one file reader of the editor: what it makes of a file's bytes in each encoding, and that
// it agrees with the reader of the counts about the encoding.

#include "documents/FileReading.h"

#include "../ShiftJisText.h"
#include "shell/Exceptions.h"
#include "shell/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(FileReading, ReadsEachEncodingWithItsLineBreaks)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::optional<TextEncoding> given;
        TextEncoding encoding;
        LineBreak lineBreak;
        bool endsWithBreak;
        std::u16string decoded; // empty for a Shift-JIS reading, which keeps the bytes
    };
    const std::string sjis = Sjis(u8"吾輩は\n猫である");
    const std::vector<Row> rows = {
        {"empty file", "", std::nullopt, TextEncoding::ShiftJis, LineBreak::CrLf, true, u""},
        {"Shift-JIS keeps its bytes and LF", sjis, std::nullopt, TextEncoding::ShiftJis,
         LineBreak::Lf, false, u""},
        {"UTF-8 with CR LF", "\xE3\x81\x82\r\n\xE3\x81\x84\r\n", std::nullopt, TextEncoding::Utf8,
         LineBreak::CrLf, true, u"あ\nい\n"},
        {"UTF-8 mark",
         "\xEF\xBB\xBF"
         "a\rb",
         std::nullopt, TextEncoding::Utf8Bom, LineBreak::Cr, false, u"a\nb\n"},
        {"UTF-16LE mark",
         std::string("\xFF\xFE"
                     "a\0\n\0",
                     6),
         std::nullopt, TextEncoding::Utf16Le, LineBreak::Lf, true, u"a\n"},
        {"UTF-16BE given as LE: the mark decides", std::string("\xFE\xFF\0a", 4),
         TextEncoding::Utf16Le, TextEncoding::Utf16Be, LineBreak::Lf, false, u"a\n"},
        {"a Shift-JIS file read as EUC-JP on request", "abc\n", TextEncoding::EucJp,
         TextEncoding::EucJp, LineBreak::Lf, true, u"abc\n"},
    };
    TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FileReading read = ReadTextFile(folder.Write("in.txt", row.bytes), row.given);
        EXPECT_EQ(read.encoding, row.encoding);
        EXPECT_EQ(read.lineBreak, row.lineBreak);
        EXPECT_EQ(read.endsWithBreak, row.endsWithBreak);
        if (row.encoding == TextEncoding::ShiftJis) {
            EXPECT_EQ(read.shiftJis, row.bytes);
            EXPECT_TRUE(read.decoded.empty());
        } else {
            EXPECT_EQ(read.decoded, row.decoded);
            EXPECT_TRUE(read.shiftJis.empty());
        }
    }
}

TEST(FileReading, AFileThatCannotBeReadIsNamed)
{
    TempFolder folder;
    try {
        ReadTextFile(folder.Path(), std::nullopt);
        FAIL() << "a folder was read as a file";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + folder.Path() + " は開けません");
    }
}

// A file's text ends at its first NUL character: a NUL unit in UTF-16, a NUL byte in any other
// encoding. Its encoding is that of the text, whatever follows the NUL, for the window and for the
// counts alike.
TEST(FileReading, ATextEndsAtItsFirstNulAndIsReadInTheEncodingOfTheText)
{
    std::string euc;
    EncodeText(u"名前はまだ無い。\n", TextEncoding::EucJp, LineBreak::Lf, true, euc);
    // After the NUL: bytes that begin no EUC-JP character, and a UTF-16 mark.
    const std::string rest = std::string(1, '\0') + Sjis(u8"「ﾃﾞｰﾀ」") + "\xFF\xFE\x80";
    struct Row
    {
        const char* fact;
        std::string text;
        std::string after;
        std::optional<TextEncoding> given;
        TextEncoding encoding;
        std::u16string decoded; // empty for a Shift-JIS reading, which keeps the bytes
    };
    const Row rows[] = {
        {"EUC-JP with a NUL after its first line", euc, rest, std::nullopt, TextEncoding::EucJp,
         u"名前はまだ無い。\n"},
        {"UTF-8", "\xE3\x81\x82\n", rest, std::nullopt, TextEncoding::Utf8, u"あ\n"},
        {"Shift-JIS", Sjis(u8"吾輩は猫\r\n"), rest, std::nullopt, TextEncoding::ShiftJis, u""},
        {"UTF-16LE by its mark: zero bytes of two units are no NUL",
         std::string("\xFF\xFE\x00\x30\x41\x00\x00\x42", 8), std::string("\0\0C\0", 4),
         std::nullopt, TextEncoding::Utf16Le, u"\u3000A\u4200\n"},
        {"UTF-16BE given, without a mark", std::string("\x30\x42\x30\x00\x00\x41", 6),
         std::string("\0\0\x30\x44", 4), TextEncoding::Utf16Be, TextEncoding::Utf16Be,
         u"あ\u3000A\n"},
    };
    TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fact);
        const std::string path = folder.Write("in.txt", row.text + row.after);
        const FileReading read = ReadTextFile(path, row.given);
        EXPECT_EQ(read.encoding, row.encoding);
        EXPECT_EQ(read.nulAt, std::optional<std::size_t>(row.text.size()));
        EXPECT_EQ(read.decoded, row.decoded);
        if (row.encoding == TextEncoding::ShiftJis) {
            EXPECT_EQ(read.shiftJis, row.text);
        }
        FileReader::Read bytes = ReadTextBytes(path, row.given);
        EXPECT_EQ(ReadForCounting(TextBytes(std::move(bytes.bytes)), row.given).encoding,
                  row.encoding);
    }
}

// The window and the counts without a window read any file in one encoding: pieces of
// Shift-JIS, UTF-8, EUC-JP and stray bytes, in every order, given or not.
TEST(FileReading, TheEditorAndTheCountsChooseOneEncoding)
{
    const std::vector<std::string> pieces = {
        "abc",      "\n",   "\r\n",         Sjis(u8"原稿"),       "\xE5\x8E\x9F\xE7\xA8\xBF",
        "\xB8\xB6", "\xFF", "\xEF\xBB\xBF", std::string("\0", 1), "\xFE\xFF"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    std::vector<std::optional<TextEncoding>> givens = {std::nullopt};
    for (const TextEncoding encoding : AllEncodings)
        givens.emplace_back(encoding);
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        for (int n = length(random); n > 0; --n)
            bytes += pieces[piece(random)];
        for (const std::optional<TextEncoding>& given : givens) {
            const FileReading read = ReadFileText(bytes, given);
            const CountingText counted = ReadForCounting(TextBytes(bytes), given);
            ASSERT_EQ(read.encoding, counted.encoding) << "round " << round;
            ASSERT_EQ(read.notUtf8, counted.notUtf8) << "round " << round;
        }
    }
}

} // namespace
