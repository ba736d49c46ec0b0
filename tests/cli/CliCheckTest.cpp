// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "HeadingTable.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A manuscript with one finding of most rules, in Shift-JIS.
const std::string Draft = Sjis(std::string_view("吾輩は猫である。\n"
                                                "　名前はまだ無い…\n"
                                                "「どこで生れたか。」\n"
                                                "\n"
                                                "　ﾆｬｰ！と鳴いた。\n"));

TEST(CountCompanionCheck, PrintsEachFindingWithFileLineAndColumn)
{
    TempFolder folder;
    const std::string path = folder.Write("draft.txt", Draft);
    const CliResult result = RunCli(folder, {"--check", path});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out,
              path + ":1:1: paragraph-indent: 段落の始めは全角スペースで字下げします\n" + path +
                  ":2:17: ellipsis-pair: 三点リーダーは二つずつ（……）続けて使います\n" + path +
                  ":3:17: period-before-close: 閉じかっこの前に句点は付けません\n" + path +
                  ":5:3: halfwidth-kana: 半角カタカナが使われています\n" + path +
                  ":5:4: halfwidth-kana: 半角カタカナが使われています\n" + path +
                  ":5:5: halfwidth-kana: 半角カタカナが使われています\n" + path +
                  ":5:6: space-after-mark: "
                  "！や？の後には全角スペースを入れます（閉じかっこと行末を除く）\n");
    EXPECT_EQ(result.err, "");
}

TEST(CountCompanionCheck, ExitStatusesAndRuleChoice)
{
    TempFolder folder;
    const std::string draft = folder.Write("draft.txt", Draft);
    const std::string clean = folder.Write("clean.txt", Sjis(std::string_view("　よし。\n")));
    const std::string noIndent =
        folder.Write("Kotonami.ini", "[Check]\nparagraph-indent=0\nhalfwidth-kana=0\n");
    struct Row
    {
        const char* fact;
        std::vector<std::string> arguments;
        std::string input;
        int status;
        std::size_t lines; // findings printed
    };
    const std::vector<Row> rows = {
        {"a clean manuscript", {"--check", clean}, "", 0, 0},
        {"standard input is named -", {"--check", "-"}, Sjis(std::string_view("あ")), 1, 1},
        {"the chosen rules only", {"--check", "--check-rules", "halfwidth-kana", draft}, "", 1, 3},
        {"two rules chosen",
         {"--check", "--check-rules", "dash-pair,ellipsis-pair", draft},
         "",
         1,
         1},
        {"a rule that finds nothing", {"--check", "--check-rules", "dash-pair", draft}, "", 0, 0},
        {"the settings file's switches", {"--check", "--settings", noIndent, draft}, "", 1, 3},
        {"the option over the settings file",
         {"--check", "--settings", noIndent, "--check-rules", "paragraph-indent", draft},
         "",
         1,
         1},
        {"findings of every file", {"--check", draft, clean, draft}, "", 1, 14},
        {"an unknown rule", {"--check", "--check-rules", "dash", draft}, "", 2, 0},
        {"an empty rule list", {"--check", "--check-rules", "", draft}, "", 2, 0},
        {"a missing rule list", {"--check", "--check-rules"}, "", 2, 0},
        {"an unreadable file beside a clean one",
         {"--check", clean, folder.File("none.txt")},
         "",
         1,
         0},
    };
    for (const Row& row : rows) {
        const CliResult result = RunCli(folder, row.arguments, row.input);
        EXPECT_EQ(result.status, row.status) << row.fact << "\n" << result.err;
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'),
                  static_cast<std::ptrdiff_t>(row.lines))
            << row.fact << "\n"
            << result.out;
    }
}

TEST(CountCompanionCheck, RunsBesideTheCountsInTheOrderGiven)
{
    TempFolder folder;
    const std::string path = folder.Write("draft.txt", Sjis(std::string_view("あ\n")));
    const CliResult result = RunCli(folder, {"--check", "--stats", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.starts_with(path + ":1:1: paragraph-indent: ")) << result.out;
    EXPECT_NE(result.out.find("文字数 : 1\n"), std::string::npos) << result.out;
}

// The companion tells headings as the window does: each row of the shared table after a line of
// prose, through --chapters and through the check's paragraph indent.
TEST(CountCompanionCheck, HeadingsAreThoseOfTheChapters)
{
    TempFolder folder;
    for (const HeadingRow& row : HeadingTable()) {
        SCOPED_TRACE(row.text);
        const std::string file = folder.Write(
            "row.txt", Sjis(std::string_view("　前の段落。\n" + std::string(row.text))));
        const CliResult chapters = RunCli(folder, {"--chapters", file});
        EXPECT_EQ(chapters.status, 0) << chapters.err;
        const std::string heading =
            "\n" + std::to_string(row.level) + "\t2\t"; // level, then the line it stands on
        const std::size_t at = chapters.out.find(heading);
        if (row.level == 0) {
            EXPECT_EQ(chapters.out.find("\t2\t"), std::string::npos) << chapters.out;
        } else {
            ASSERT_NE(at, std::string::npos) << chapters.out;
            const std::size_t end = chapters.out.find('\n', at + 1);
            EXPECT_TRUE(chapters.out.substr(0, end).ends_with("\t" + std::string(row.title)))
                << chapters.out;
        }
        const CliResult check =
            RunCli(folder, {"--check", "--check-rules", "paragraph-indent", file});
        EXPECT_EQ(check.status, row.unindented ? 1 : 0) << check.out;
        EXPECT_EQ(check.out.find(":2:1: paragraph-indent"),
                  row.unindented ? file.size() : std::string::npos)
            << check.out;
    }
}

// A finding's column lands on its character in the editor the unit is made for: a terminal
// editor's screen columns (full-width 2, a TAB to the next multiple of 8), characters, or the
// bytes of the file's own encoding.
TEST(CountCompanionCheck, ColumnsInTheUnitAsked)
{
    TempFolder folder;
    struct Row
    {
        const char* fact;
        std::string bytes; // the file
        std::string unit;  // "" for the default
        std::string column;
    };
    const std::string line = "　ab\t漢ｶ。」"; // the finding: period-before-close at 。
    const std::string utf16 = [&] {
        std::string bytes;
        for (const char16_t unit : std::u16string(u"　ab\t漢ｶ。」")) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return "\xFF\xFE" + bytes;
    }();
    const std::vector<Row> rows = {
        {"display by default", Sjis(std::string_view(line)), "", "12"},
        {"display: 　 2, a b, TAB to 8, 漢 2, ｶ 1", Sjis(std::string_view(line)), "display", "12"},
        {"characters", Sjis(std::string_view(line)), "character", "7"},
        {"bytes of Shift-JIS", Sjis(std::string_view(line)), "byte", "9"},
        {"bytes of UTF-8", line, "byte", "13"},
        {"display is the same in UTF-8", line, "display", "12"},
        {"bytes of UTF-16", utf16, "byte", "13"}, // the two bytes of the mark are no column
        {"a TAB goes to the next stop", Sjis(std::string_view("1234567\t。」")), "display", "9"},
        {"a TAB at a stop goes a whole stop", Sjis(std::string_view("12345678\t。」")), "display",
         "17"},
    };
    for (const Row& row : rows) {
        const std::string file = folder.Write("line.txt", row.bytes);
        std::vector<std::string> arguments = {"--check", "--check-rules", "period-before-close"};
        if (!row.unit.empty())
            arguments.insert(arguments.end(), {"--column-unit", row.unit});
        arguments.push_back(file);
        const CliResult result = RunCli(folder, arguments);
        EXPECT_EQ(result.status, 1) << row.fact << result.err;
        EXPECT_EQ(result.out.substr(0, result.out.find(": period")), file + ":1:" + row.column)
            << row.fact;
    }
    EXPECT_EQ(RunCli(folder, {"--check", "--column-unit", "pixels", "-"}).status, 2);
}

} // namespace
