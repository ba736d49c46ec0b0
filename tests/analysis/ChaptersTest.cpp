// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Chapters.h"
#include "HeadingTable.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::string& shiftJis)
{
    return Cp932::DecodeToUtf8(shiftJis);
}

TEST(Headings, WhichLinesAreHeadings)
{
    struct Row
    {
        const char8_t* line;
        int level; // 0: no heading
        const char8_t* title;
    };
    const Row rows[] = {
        // Heading notes, in all their forms.
        {u8"第一章　旅立ち［＃「第一章　旅立ち」は大見出し］", 1, u8"第一章　旅立ち"},
        {u8"朝［＃「朝」は中見出し］", 2, u8"朝"},
        {u8"夜［＃「夜」は小見出し］", 3, u8"夜"},
        {u8"［＃大見出し］春［＃大見出し終わり］", 1, u8"春"},
        {u8"［＃同行中見出し］夏［＃同行中見出し終わり］本文", 2, u8"夏"},
        {u8"［＃窓小見出し］秋［＃窓小見出し終わり］", 3, u8"秋"},
        {u8"冬［＃「冬」は窓大見出し］", 1, u8"冬"},
        {u8"［＃「｜宿命《さだめ》」は中見出し］", 2, u8"宿命"},
        // Notes that are no headings.
        {u8"吾輩は猫である［＃「猫」に傍点］", 0, u8""},
        {u8"［＃改ページ］", 0, u8""},
        {u8"［＃大見出し］閉じない見出し", 0, u8""},
        {u8"［＃「春」は特大見出し］", 0, u8""},
        // Marked headings.
        {u8"# 第一部", 1, u8"第一部"},
        {u8"## 出会い", 2, u8"出会い"},
        {u8"###\t別れ", 3, u8"別れ"},
        {u8"#　全角の空白", 1, u8"全角の空白"},
        {u8"#タグ", 0, u8""},
        {u8"#### 四つ", 0, u8""},
        {u8"# ", 0, u8""},
        {u8" # 行頭にない", 0, u8""},
        // Chapter titles.
        {u8"第一章", 2, u8"第一章"},
        {u8"　第十二話　雨の日", 2, u8"第十二話　雨の日"},
        {u8"第3部 決戦", 2, u8"第3部 決戦"},
        {u8"第１２幕「再会」", 2, u8"第１２幕「再会」"},
        {u8"第百二十章：終わり  ", 2, u8"第百二十章：終わり"},
        {u8"第一章「始まり」の終わり", 0, u8""},
        {u8"第三話、いかがでしたか。", 0, u8""},
        {u8"第二部.完", 2, u8"第二部.完"},
        {u8"プロローグ", 2, u8"プロローグ"},
        {u8"  エピローグ　", 2, u8"エピローグ"},
        {u8"序章", 2, u8"序章"},
        {u8"終章", 2, u8"終章"},
        {u8"間章", 2, u8"間章"},
        {u8"｜第一章《だいいっしょう》　始まり", 2, u8"第一章　始まり"},
        {u8"［＃改ページ］第二章", 2, u8"第二章"},
        // A 第 in a sentence, and words that look like titles.
        {u8"彼は第一章を読んだ。", 0, u8""},
        {u8"第一章を読み終えた。", 0, u8""},
        {u8"第章", 0, u8""},
        {u8"第一", 0, u8""},
        {u8"第一番", 0, u8""},
        {u8"プロローグが好きだ", 0, u8""},
        {u8"終章へ", 0, u8""},
        // A title in a ruby reading is no heading.
        {u8"物語《第一章》", 0, u8""},
        {u8"漢字《プロローグ》", 0, u8""},
        {u8"", 0, u8""},
        {u8"　", 0, u8""},
    };
    const HeadingRules rules;
    for (const Row& row : rows) {
        const std::string line = Sjis(row.line);
        const std::optional<Heading> heading = rules.Match(line);
        SCOPED_TRACE(Utf8(line));
        if (row.level == 0) {
            EXPECT_FALSE(heading.has_value()) << Utf8(heading->title);
            continue;
        }
        ASSERT_TRUE(heading.has_value());
        EXPECT_EQ(heading->level, row.level);
        EXPECT_EQ(Utf8(heading->title), reinterpret_cast<const char*>(row.title));
    }
}

std::string LinesOf(const char* utf8)
{
    std::string text = Sjis(std::string_view(utf8));
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    return text;
}

// Each row of the shared table after a line of prose: its heading, if any, is found at its first
// line, with its title.
TEST(Headings, TheTableOfHeadingLines)
{
    for (const HeadingRow& row : HeadingTable()) {
        const std::string text = Sjis(u8"　前の段落。\r\n") + LinesOf(row.text);
        const std::vector<HeadingLine> headings = FindHeadings(text, HeadingRules());
        SCOPED_TRACE(row.text);
        if (row.level == 0) {
            EXPECT_TRUE(headings.empty()) << Utf8(headings.front().heading.title);
            continue;
        }
        ASSERT_EQ(headings.size(), 1u);
        EXPECT_EQ(headings[0].line, 1u);
        EXPECT_EQ(headings[0].heading.level, row.level);
        EXPECT_EQ(Utf8(headings[0].heading.title), row.title);
    }
}

// Reading some lines of a text gives the headings that reading the whole text finds there, with
// block headings opening before, closing after or holding those lines: the chapters panel and the
// check read only the lines around an edit.
TEST(Headings, SomeLinesReadAsTheWholeTextReadsThem)
{
    const std::vector<std::string> pieces = {
        Sjis(u8"［＃ここから大見出し］"),
        Sjis(u8"［＃ここで大見出し終わり］"),
        Sjis(u8"［＃ここから小見出し］"),
        Sjis(u8"［＃ここで小見出し終わり］"),
        Sjis(u8"第一章"),
        Sjis(u8"旅立ち"),
        Sjis(u8"　本文。"),
        "",
    };
    std::mt19937 random(37);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> lines(std::uniform_int_distribution<std::size_t>(1, 40)(random));
        for (std::string& line : lines)
            line = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        const LineSource source = [&](std::size_t n) { return std::string_view(lines.at(n)); };
        const HeadingsOfLines whole =
            FindHeadingsAmong(source, lines.size(), 0, lines.size() - 1, HeadingRules());
        const std::size_t first =
            std::uniform_int_distribution<std::size_t>(0, lines.size() - 1)(random);
        const std::size_t last =
            std::uniform_int_distribution<std::size_t>(first, lines.size() - 1)(random);
        const HeadingsOfLines some =
            FindHeadingsAmong(source, lines.size(), first, last, HeadingRules());
        std::vector<HeadingLine> expected;
        for (const HeadingLine& h : whole.headings)
            if (h.line >= first && h.line <= last)
                expected.push_back(h);
        EXPECT_EQ(some.headings.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < std::min(expected.size(), some.headings.size()); ++i) {
            EXPECT_EQ(some.headings[i].line, expected[i].line);
            EXPECT_EQ(some.headings[i].heading, expected[i].heading);
        }
        const std::vector<bool> part(
            whole.partOfHeading.begin() + static_cast<std::ptrdiff_t>(first),
            whole.partOfHeading.begin() + static_cast<std::ptrdiff_t>(last + 1));
        EXPECT_EQ(some.partOfHeading, part) << "round " << round;
    }
}

TEST(Headings, TheWritersOwnPattern)
{
    HeadingRules rules;
    EXPECT_TRUE(rules.SetExtraPattern("^◆.+$"));
    const auto own = rules.Match(Sjis(u8"◆　回想"));
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->level, 2);
    EXPECT_EQ(Utf8(own->title), "◆　回想");
    EXPECT_FALSE(rules.Match(Sjis(u8"回想◆")).has_value());
    EXPECT_TRUE(rules.Match(Sjis(u8"第一章")).has_value()) << "the built-in rules stay";

    EXPECT_FALSE(rules.SetExtraPattern("([unclosed"));
    EXPECT_EQ(rules.ExtraPattern(), "([unclosed") << "kept to be written back";
    EXPECT_FALSE(rules.Match(Sjis(u8"◆　回想")).has_value());
    EXPECT_FALSE(rules.SetExtraPattern("\xFF"));
    EXPECT_TRUE(rules.SetExtraPattern(""));
}

// A pattern that would backtrack for ever, or overflow the stack on a long line, is tried only on
// lines of heading length and gives up at its limits: the line is no heading, and the rules say
// that the pattern gave up.
TEST(Headings, ARunawayPatternGivesUpInsteadOfFreezing)
{
    struct Row
    {
        const char* pattern;
        std::string line;
        bool gaveUp;
    };
    const std::vector<Row> rows = {
        {"(a|aa)*b", std::string(40, 'a'), false}, // the matcher sees that no b is there
        {"(a|aa)*(b|c)", std::string(40, 'a'), true},
        {"(a|aa)*b", std::string(100, 'a') + "b", false}, // found, heading
        {"(a|b)*c", std::string(30000, 'a'), false},      // prose: not searched
        {"(a|b)*c", std::string(190, 'a'), false},
        {"(x+x+)+(y|z)", std::string(150, 'x'), true},
    };
    for (const Row& row : rows) {
        HeadingRules rules;
        ASSERT_TRUE(rules.SetExtraPattern(row.pattern));
        const auto heading = rules.Match(row.line);
        EXPECT_EQ(heading.has_value(), row.line.ends_with('b')) << row.pattern;
        EXPECT_EQ(rules.ExtraPatternGaveUp(), row.gaveUp) << row.pattern << " " << row.line.size();
        const HeadingRules copy = rules; // the outline counts under a copy of the rules
        EXPECT_EQ(copy.ExtraPatternGaveUp(), row.gaveUp);
    }
}

std::vector<HeadingLine> Headings(const std::vector<std::pair<std::size_t, int>>& lines)
{
    std::vector<HeadingLine> headings;
    for (const auto& [line, level] : lines)
        headings.push_back({line, {level, "h" + std::to_string(line)}});
    return headings;
}

TEST(Chapters, APartHoldsItsChaptersAndTheOpeningComesFirst)
{
    // 0-1 opening, 2 part, 3 chapter, 5 section, 7 chapter, 9 part, 10 section, 12 lines.
    const auto chapters =
        ChaptersOf(Headings({{2, 1}, {3, 2}, {5, 3}, {7, 2}, {9, 1}, {10, 3}}), 12, true);
    const std::vector<ChapterSpan> expected = {
        {0, 0, 2, OpeningTitle()}, {1, 2, 9, "h2"},  {2, 3, 7, "h3"},    {3, 5, 7, "h5"},
        {2, 7, 9, "h7"},           {1, 9, 12, "h9"}, {3, 10, 12, "h10"},
    };
    EXPECT_EQ(chapters, expected);
    const std::vector<std::size_t> parents = {NoParent, NoParent, 1, 2, 1, NoParent, 5};
    EXPECT_EQ(ParentsOf(chapters), parents);
}

// A text has the lines a writer sees: an empty line is one only where the writer left it, never
// after the last break; so a pattern for empty lines finds only those.
TEST(Chapters, NoLineFollowsTheLastBreak)
{
    HeadingRules emptyLines;
    ASSERT_TRUE(emptyLines.SetExtraPattern("^$"));
    const struct
    {
        std::string text;
        std::size_t lines;
        std::vector<std::size_t> empty;
    } rows[] = {
        {"", 1, {0}},     {"abc", 1, {}},          {"abc\r\n", 1, {}},
        {"abc\n", 1, {}}, {"abc\r\n\r\n", 2, {1}}, {"\r\nabc", 2, {0}},
    };
    for (const auto& row : rows) {
        std::vector<std::size_t> starts;
        std::vector<std::size_t> empty;
        for (const HeadingLine& heading : FindHeadings(row.text, emptyLines, &starts))
            empty.push_back(heading.line);
        EXPECT_EQ(starts.size(), row.lines) << row.text;
        EXPECT_EQ(empty, row.empty) << row.text;
    }
}

TEST(Chapters, TextAndLinesFromTheText)
{
    const std::string text = Sjis(u8"前書き\r\n第一章\r\n本文\r\n### 節\r\n本文\r\n# 第二部\r\n");
    std::vector<std::size_t> starts;
    const auto headings = FindHeadings(text, HeadingRules(), &starts);
    ASSERT_EQ(starts.size(), 6u) << "nothing follows the last break";
    const auto chapters = ChaptersOf(headings, starts.size(), true);
    const std::vector<ChapterSpan> expected = {
        {0, 0, 1, OpeningTitle()},
        {2, 1, 5, Sjis(u8"第一章")},
        {3, 3, 5, Sjis(u8"節")},
        {1, 5, 6, Sjis(u8"第二部")},
    };
    EXPECT_EQ(chapters, expected);
    EXPECT_EQ(ChaptersOf({}, 3, false), std::vector<ChapterSpan>{});
    EXPECT_EQ(ChaptersOf(Headings({{0, 2}}), 1, true).size(), 1u) << "no lines before the first";
}

} // namespace
