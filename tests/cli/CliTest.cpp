// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "ShiftJisText.h"

#include "analysis/AllDocuments.h"
#include "analysis/Cp932Codec.h"
#include "analysis/WordCharacterSet.h"
#include "documents/TextEncoding.h"
#include "paper/ChapterTable.h"
#include "paper/TPaper.h"

#include "shell/Version.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// 「吾輩は猫である。」 with a double-byte-space indent, in Shift-JIS, LF only.
const std::string Novel =
    "\x81\x40\x8C\xE1\x94\x79\x82\xCD\x94\x4C\x82\xC5\x82\xA0\x82\xE9\x81\x42\n"
    "Hello world\n";
const std::string NovelAsOpened =
    "\x81\x40\x8C\xE1\x94\x79\x82\xCD\x94\x4C\x82\xC5\x82\xA0\x82\xE9\x81\x42\r\n"
    "Hello world\r\n";

// The report of texts as opened whose files hold `size` bytes in all.
std::string StatsReport(const std::vector<std::string_view>& texts, std::int64_t size,
                        const CountOptions& options = {})
{
    const std::vector<std::int64_t> sizes = {size};
    return MakeAllDocumentsReport(SumStatistics(texts, sizes, options, WordCharacterSet()));
}

TEST(CountCompanion, RawWritesTheReportBytesAndCrLf)
{
    TempFolder folder;
    const CliResult result = RunCli(folder, {"--raw", folder.Write("novel.txt", Novel)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, StatsReport({NovelAsOpened}, Novel.size()) + "\r\n");
    EXPECT_EQ(result.err, "");
}

TEST(CountCompanion, ExcludeRubyCountsTheTextAsReadAndKeepsItsSize)
{
    TempFolder folder;
    const std::string path =
        folder.Write("ruby.txt", Sjis(u8"｜漢字《かんじ》です［＃改ページ］\n"));
    const CliResult plain = RunCli(folder, {path});
    const CliResult asRead = RunCli(folder, {"--exclude-ruby", path});
    EXPECT_EQ(asRead.status, 0) << asRead.err;
    EXPECT_NE(plain.out.find("文字数 : 17\n"), std::string::npos) << plain.out;
    EXPECT_NE(asRead.out.find("文字数 : 4\n"), std::string::npos) << asRead.out;
    EXPECT_NE(asRead.out.find("サイズ : 35 (bytes)"), std::string::npos) << asRead.out;
}

TEST(CountCompanion, DefaultOutputIsUtf8WithLf)
{
    TempFolder folder;
    const CliResult result = RunCli(folder, {folder.Write("novel.txt", Novel)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
    EXPECT_NE(result.out.find("文字数 : 20\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("英単語数 : 2\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("行数 : 2\n"), std::string::npos) << result.out;
}

TEST(CountCompanion, LoadsAsTheEditorOpensFiles)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::string asOpened;
        std::string fullWidth; // the full-width conversion of what was opened
    };
    const std::vector<Row> rows = {
        {"no final break", "ab", "ab\r\n", "\x82\x81\x82\x82\r\n"},
        {"CR-only breaks", "a\rb\r", "a\r\nb\r\n", "\x82\x81\r\n\x82\x82\r\n"},
        {"cut at NUL", std::string("ab\0cd", 5), "ab\r\n", "\x82\x81\x82\x82\r\n"},
        {"empty", "", "", ""},
    };
    TempFolder folder;
    for (const Row& row : rows) {
        const CliResult result =
            RunCli(folder, {"--raw", "--full-width", folder.Write("in.txt", row.bytes)});
        EXPECT_EQ(result.out, row.fullWidth + "\r\n") << row.name;
        const CliResult stats = RunCli(folder, {"--raw", "-"}, row.bytes);
        const std::size_t size = row.bytes.find('\0'); // the text ends at a NUL
        EXPECT_EQ(stats.out,
                  StatsReport({row.asOpened}, size == std::string::npos ? row.bytes.size() : size) +
                      "\r\n")
            << row.name << " from standard input";
    }
}

TEST(CountCompanion, UnreadableFileGivesStatusOneAndTheOthersAreMeasured)
{
    TempFolder folder;
    const std::string missing = folder.File("missing.txt");
    const CliResult result = RunCli(folder, {"--raw", missing, folder.Write("novel.txt", Novel)});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
    EXPECT_EQ(result.out, StatsReport({NovelAsOpened}, Novel.size()) + "\r\n");
}

TEST(CountCompanion, UsageErrorsGiveStatusTwo)
{
    const std::vector<std::vector<std::string>> commands = {
        {"--column", "0"},
        {"--line", "-3"},
        {"--column", "12abc"},
        {"--column", "99999999999"},
        {"--tab", "keep"},
        {"--input-encoding", "latin1"},
        {"--phrase", "\xF0\x9F\x98\x80"}, // an emoji has no Shift-JIS form
        {"--word-chars", "\xC3\xA9"},     // nor has é
        {"--bogus"},
        {"--phrase"},
        {"--settings", "/nonexistent/Kotonami.ini"},
    };
    TempFolder folder;
    const std::string file = folder.Write("novel.txt", Novel);
    for (std::vector<std::string> command : commands) {
        command.insert(command.begin(), file);
        const CliResult result = RunCli(folder, command);
        EXPECT_EQ(result.status, 2) << command[1];
        EXPECT_NE(result.err.find("kotonami-count [OPTION...] [FILE...]"), std::string::npos)
            << command[1];
        EXPECT_EQ(result.out, "") << command[1];
    }
}

TEST(CountCompanion, HelpPrintsTheUsage)
{
    TempFolder folder;
    const CliResult result = RunCli(folder, {"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("kotonami-count [OPTION...] [FILE...]\n"));
    EXPECT_NE(result.out.find("  --tab use|delete|space"), std::string::npos);
    EXPECT_EQ(RunCli(folder, {"--version"}).out, "kotonami-count " KOTONAMI_VERSION "\n");
}

TEST(CountCompanion, SettingsFileAndOptionsApply)
{
    TempFolder folder;
    const std::string settings = folder.Write("Kotonami.ini", "[Setting]\nCountDoubleByteSpace=0\n"
                                                              "[Paper]\nColumn=5\nLine=2\n");
    const std::string file = folder.Write("novel.txt", Novel);
    CountOptions noDoubleByteSpace;
    noDoubleByteSpace.countDoubleByteSpace = false;
    EXPECT_EQ(RunCli(folder, {"--raw", "--settings", settings, file}).out,
              StatsReport({NovelAsOpened}, Novel.size(), noDoubleByteSpace) + "\r\n");
    CountOptions noSpaces = noDoubleByteSpace;
    noSpaces.countSpace = false;
    EXPECT_EQ(RunCli(folder, {"--raw", "--no-space", "--settings", settings, file}).out,
              StatsReport({NovelAsOpened}, Novel.size(), noSpaces) + "\r\n");

    TPaper paper;
    paper.Column = 5;
    paper.Line = 2;
    EXPECT_EQ(RunCli(folder, {"--raw", "--paper", "--settings", settings, file}).out,
              MakePaperReport(paper.Count(NovelAsOpened)) + "\r\n");
    paper.Column = 7;
    EXPECT_EQ(
        RunCli(folder, {"--raw", "--paper", "--column", "7", "--settings", settings, file}).out,
        MakePaperReport(paper.Count(NovelAsOpened)) + "\r\n");
}

TEST(CountCompanion, ChaptersTablePerFile)
{
    TempFolder folder;
    const std::string novel = Sjis(u8"前書き\n# 第一部\n第一章　出発\n本文です。\n◆ 回想\n昔\n");
    const std::string file = folder.Write("novel.txt", novel);
    const CliResult result = RunCli(folder, {"--chapters", "--no-space", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "レベル\t行\t文字数\t枚数\t見出し\n"
                          "0\t1\t3\t1\t（冒頭）\n"
                          "1\t2\t19\t1\t第一部\n"
                          "2\t3\t15\t1\t第一章　出発\n");

    // The writer's own pattern from the settings file; the raw table is the program's own bytes.
    const std::string settings =
        folder.Write("Kotonami.ini", "\xEF\xBB\xBF[Chapters]\nPattern=^◆\n[Paper]\nLine=1\n");
    HeadingRules rules;
    ASSERT_TRUE(rules.SetExtraPattern("^◆"));
    TPaper paper;
    paper.Line = 1;
    std::string asOpened = novel;
    for (std::size_t at = 0; (at = asOpened.find('\n', at)) != std::string::npos; at += 2)
        asOpened.insert(at, "\r");
    const CliResult raw = RunCli(folder, {"--raw", "--chapters", "--settings", settings, file});
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(raw.out,
              MakeChapterTable(CountChapters(asOpened, rules, CountOptions(), paper)) + "\r\n");
    EXPECT_NE(Cp932::DecodeToUtf8(raw.out).find("2\t5\t5\t1\t◆ 回想\r\n"), std::string::npos)
        << Cp932::DecodeToUtf8(raw.out);

    const std::string invalid = folder.Write("bad.ini", "[Chapters]\nPattern=([\n");
    const CliResult ignored = RunCli(folder, {"--chapters", "--settings", invalid, file});
    EXPECT_EQ(ignored.status, 0);
    EXPECT_EQ(ignored.out, RunCli(folder, {"--chapters", file}).out);
    EXPECT_NE(ignored.err.find("not a valid regular expression"), std::string::npos);
}

// A pattern for empty lines finds none after the last line, whether or not the file ends with a
// break.
TEST(CountCompanion, ChaptersSeeNoLineAfterTheLast)
{
    TempFolder folder;
    const std::string settings = folder.Write("Kotonami.ini", "[Chapters]\nPattern=^$\n");
    for (const char* text : {"abc", "abc\r\n", "abc\n"}) {
        const std::string file = folder.Write("one.txt", text);
        const CliResult result = RunCli(folder, {"--chapters", "--settings", settings, file});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out.find("\t2\t"), std::string::npos) << result.out;
    }
}

// The window's settings file as the window reads it: code page 932 byte for byte unless it
// begins with the UTF-8 mark. ﾄｰ (C4 B0) would also pass for a UTF-8 character.
TEST(CountCompanion, SettingsFileIsReadInItsOwnEncoding)
{
    TempFolder folder;
    const std::string text = folder.Write("kana.txt", "\xC4\xB0\xC4 x");
    const std::string expected = RunCli(folder, {"--raw", "--word-chars", "ﾄｰ", text}).out;
    ASSERT_NE(expected, RunCli(folder, {"--raw", text}).out) << "the list changes the count";
    const std::string sjis = folder.Write("sjis.ini", "[Word]\nCharList=\xC4\xB0\n");
    EXPECT_EQ(RunCli(folder, {"--raw", "--settings", sjis, text}).out, expected);
    const std::string utf8 = folder.Write("utf8.ini", "\xEF\xBB\xBF[Word]\nCharList=ﾄｰ\n");
    EXPECT_EQ(RunCli(folder, {"--raw", "--settings", utf8, text}).out, expected);
}

TEST(CountCompanion, SeveralFilesGetHeadersAndAnalysesRunInOrder)
{
    TempFolder folder;
    const std::string a = folder.Write("a.txt", "abc");
    const std::string b = folder.Write("b.txt", "\xB1");
    const CliResult result = RunCli(folder, {"--full-kana", "--phrase", "abc", a, b});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "==> " + a + " <==\nabc\n\n==> " + b +
                              " <==\nア\n\n"
                              "文字列 abc は\n\n1 個見つかりました。\n");
}

TEST(CountCompanion, Utf8InputIsConvertedBeforeLoading)
{
    TempFolder folder;
    const std::string file = folder.Write("utf8.txt", "吾輩は猫である。\nHello world\n");
    const CliResult result = RunCli(folder, {"--raw", "--input-encoding", "utf-8", file});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string expected = NovelAsOpened.substr(2); // without the indent
    EXPECT_EQ(result.out, StatsReport({expected}, TempFolder::Read(file).size()) + "\r\n");
}

// A UTF-8 file saved by an editor that marks its encoding starts with a byte-order mark; the mark
// is no character of the manuscript and must not be counted as one.
TEST(CountCompanion, Utf8InputDropsTheByteOrderMark)
{
    TempFolder folder;
    const std::string file = folder.Write("bom.txt", "\xEF\xBB\xBF"
                                                     "吾輩は猫である。\nHello world\n");
    const CliResult result = RunCli(folder, {"--raw", "--input-encoding", "utf-8", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              StatsReport({NovelAsOpened.substr(2)}, TempFolder::Read(file).size()) + "\r\n");
}

std::string Sjis(std::u16string_view text)
{
    std::string out;
    Cp932::Encode(text, out);
    return out;
}

// The report with its size line left out.
std::string WithoutSize(const std::string& report)
{
    const std::size_t size = report.find("\x83T\x83"
                                         "C\x83Y : ");
    return report.substr(0, size) + report.substr(report.find('\n', size));
}

// One novel in every encoding the window opens: `auto` finds each as the window does and counts
// it as its Shift-JIS twin; only the size is the file's own.
TEST(CountCompanion, AutoDetectsEveryEncodingAsTheWindowDoes)
{
    TempFolder folder;
    const std::u16string text = u"　吾輩は猫である。名前はまだ無い。ﾈｺ\nHello world\n";
    const CliResult twin =
        RunCli(folder, {"--raw", "--stats", "--census", folder.Write("twin.txt", Sjis(text))});
    for (const TextEncoding encoding : AllEncodings) {
        std::string bytes;
        EncodeText(text, encoding, LineBreak::Lf, true, bytes);
        const std::string file = folder.Write(EncodingName(encoding), bytes);
        const CliResult result = RunCli(folder, {"--raw", "--stats", "--census", file});
        EXPECT_EQ(result.status, 0) << EncodingName(encoding);
        EXPECT_EQ(WithoutSize(result.out), WithoutSize(twin.out)) << EncodingName(encoding);
        EXPECT_NE(result.out.find(Sjis(u"サイズ : ") + std::to_string(bytes.size()) + " (bytes)"),
                  std::string::npos)
            << EncodingName(encoding);
        EXPECT_EQ(result.err, "") << EncodingName(encoding);
    }
}

TEST(CountCompanion, CharactersWithoutShiftJisFormAreCountedAndToldOncePerFile)
{
    TempFolder folder;
    const std::string file = folder.Write("yoshi.txt", "𠮷野家😀\n");
    const CliResult result = RunCli(folder, {"--raw", file});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              StatsReport({Sjis(u"〓野家〓\r\n")}, std::string("𠮷野家😀\n").size()) + "\r\n");
    EXPECT_EQ(result.err,
              "kotonami-count: " + file + ": 2 文字はシフトJISで表せないため〓として数えました\n");
}

} // namespace
