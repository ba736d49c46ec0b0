// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ManuscriptCheck.h"
#include "analysis/CheckedLines.h"
#include "analysis/ShiftJis.h"

#include "HeadingTable.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Row
{
    const char* line; // UTF-8
    std::vector<std::uint32_t> columns;
};

CheckSwitches Only(CheckRule rule)
{
    CheckSwitches switches;
    switches.on.fill(false);
    switches.Set(rule, true);
    return switches;
}

// Each row is checked under its rule alone, so that a row states one rule's verdict.
void ExpectColumns(CheckRule rule, const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        std::vector<std::uint32_t> columns;
        for (const CheckFinding& f : CheckText(Sjis(std::string_view(row.line)), Only(rule))) {
            EXPECT_EQ(f.rule, rule) << row.line;
            columns.push_back(f.column);
        }
        EXPECT_EQ(columns, row.columns) << RuleInfo(rule).id << ": " << row.line;
    }
}

TEST(ManuscriptCheck, EllipsisPair)
{
    ExpectColumns(CheckRule::EllipsisPair,
                  {
                      {"　そうか…", {5}},
                      {"　そうか……", {}},
                      {"　そうか………", {5}},
                      {"　……そうか", {}},
                      {"　あ‥い", {3}},
                      {"　あ‥‥い", {}},
                      {"　…‥", {2, 3}}, // two runs of one each
                      {"　三つ目…と…", {5, 7}},
                      {"　...", {}}, // three full stops are not the ellipsis
                  });
}

TEST(ManuscriptCheck, DashPair)
{
    ExpectColumns(CheckRule::DashPair, {
                                           {"　あ―い", {3}},
                                           {"――そして", {}},
                                           {"　あ―――", {3}},
                                           {"　あ――――", {}},
                                           {"　あ―い―", {3, 5}},
                                           {"　長音ーは別", {}},
                                       });
}

TEST(ManuscriptCheck, SpaceAfterMark)
{
    ExpectColumns(CheckRule::SpaceAfterMark, {
                                                 {"　えっ！本当？", {4}},
                                                 {"　えっ！　本当？", {}},
                                                 {"「えっ！」", {}},
                                                 {"「えっ！？』", {}},
                                                 {"　本当？　", {}},
                                                 {"　えっ！？そう", {4}},
                                                 {"　えっ！！！そう", {4}},
                                                 {"　えっ！ そう", {4}}, // a half-width blank
                                                 {"　Hello! World", {}},
                                                 {"！", {}},
                                                 {"　（まさか？）", {}},
                                                 {"〝えっ！〟", {}},
                                                 {"“えっ？”", {}},
                                                 {"‘えっ！’", {}},
                                                 {"〝えっ！そう〟", {4}},
                                             });
}

TEST(ManuscriptCheck, PeriodBeforeClose)
{
    ExpectColumns(CheckRule::PeriodBeforeClose, {
                                                    {"「はい。」", {4}},
                                                    {"『はい。』", {4}},
                                                    {"「はい」。", {}},
                                                    {"（はい。）", {}},
                                                    {"　はい。", {}},
                                                    {"「はい。。」", {5}},
                                                    {"「はい。［＃「はい」に傍点］」", {4}},
                                                    {"「はい。［＃傍点］［＃傍線］』", {4}},
                                                    {"「はい。［注］」", {}},
                                                    {"「はい。［＃閉じない」", {}},
                                                });
}

TEST(ManuscriptCheck, ParagraphIndent)
{
    ExpectColumns(CheckRule::ParagraphIndent, {
                                                  {"吾輩は猫である。", {1}},
                                                  {"　吾輩は猫である。", {}},
                                                  {"「吾輩は猫である」", {}},
                                                  {"『猫』", {}},
                                                  {"《猫》", {}},
                                                  {"【猫】", {}},
                                                  {"――そして", {}},
                                                  {"……そして", {}},
                                                  {"―そして", {1}},
                                                  {"…そして", {1}},
                                                  {"［＃改ページ］", {}},
                                                  {"〝猫〟と呼んだ", {}},
                                                  {"“猫”と呼んだ", {}},
                                                  {"‘猫’と呼んだ", {}},
                                                  {"［＃「第一章」は大見出し］", {}},
                                                  {"# 第一章", {}},
                                                  {"## 第一章", {}},
                                                  {"#第一章", {1}},
                                                  {" 半角の字下げ", {1}},
                                                  {"\t字下げ", {1}},
                                                  {"", {}},
                                                  {"Hello world", {1}},
                                              });
}

// The check tells headings by the rules of the chapters: a heading, a block heading's lines and
// the writer's own pattern need no indent; prose that begins like a title does.
TEST(ManuscriptCheck, HeadingsNeedNoIndent)
{
    CheckSwitches indent;
    indent.on.fill(false);
    indent.Set(CheckRule::ParagraphIndent, true);
    for (const HeadingRow& row : HeadingTable()) {
        std::string text = Sjis(std::string_view(row.text));
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            text.insert(at, "\r");
        std::vector<std::size_t> lines;
        for (const CheckFinding& f : CheckText(text, indent))
            lines.push_back(f.line);
        EXPECT_EQ(lines, row.unindented ? std::vector<std::size_t>{1} : std::vector<std::size_t>{})
            << row.text;
    }
    HeadingRules own;
    ASSERT_TRUE(own.SetExtraPattern("^◆"));
    EXPECT_EQ(CheckText(Sjis(u8"◆回想"), indent).size(), 1u);
    EXPECT_TRUE(CheckText(Sjis(u8"◆回想"), indent, own).empty()) << "the writer's own pattern";
}

TEST(ManuscriptCheck, BracketBalance)
{
    ExpectColumns(CheckRule::BracketBalance, {
                                                 {"「はい」", {}},
                                                 {"「はい", {1}},
                                                 {"　はい」", {4}},
                                                 {"「『はい』」", {}},
                                                 {"「（はい）」", {}},
                                                 {"「（はい」）", {1, 5}}, // crossed pairs
                                                 {"「あ『い」う』", {1, 5}},
                                                 {"「はい』", {1, 4}},
                                                 {"」「", {1, 2}},
                                                 {"｜漢字《かんじ》", {}},
                                                 {"［＃改ページ］", {}},
                                                 {"「「はい」", {1}},
                                                 {"　(half-width) ok", {}},
                                             });
}

TEST(ManuscriptCheck, RepeatedPunctuation)
{
    ExpectColumns(CheckRule::RepeatedPunctuation, {
                                                      {"　はい。。", {4}},
                                                      {"　はい、、", {4}},
                                                      {"　はい、。", {4}},
                                                      {"　はい。、", {4}},
                                                      {"　はい。。。", {4, 5}},
                                                      {"　はい。いいえ、", {}},
                                                      {"　はい。　。", {}},
                                                  });
}

TEST(ManuscriptCheck, HalfwidthKana)
{
    ExpectColumns(CheckRule::HalfwidthKana, {
                                                {"　ｶﾀｶﾅ", {2, 3, 4, 5}},
                                                {"｢ｶﾅ｣｡", {1, 2, 3, 4, 5}},
                                                {"　ｱ､ｲ･ｳ", {2, 3, 4, 5, 6}},
                                                {"　ﾊﾟｰﾄ", {2, 3, 4, 5}},
                                                {"　カタカナ", {}},
                                                {"　abc!", {}},
                                            });
}

TEST(ManuscriptCheck, ColumnsCountEveryCharacterOnce)
{
    // A TAB, a half-width letter and a double-byte character are one column each.
    std::vector<LineFinding> found;
    CheckLine(Sjis(u8"\ta漢ｶ"), Only(CheckRule::HalfwidthKana), found);
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].column, 4U);
}

TEST(ManuscriptCheck, FindingsOfATextAreSortedByLineColumnAndRule)
{
    const std::string text = Sjis(u8"ｱ「はい。」\r\n\r\n　よし…");
    const std::vector<CheckFinding> expected = {
        {1, 1, CheckRule::ParagraphIndent},
        {1, 1, CheckRule::HalfwidthKana},
        {1, 5, CheckRule::PeriodBeforeClose},
        {3, 4, CheckRule::EllipsisPair},
    };
    EXPECT_EQ(CheckText(text, CheckSwitches()), expected);
    CheckSwitches noIndent;
    noIndent.Set(CheckRule::ParagraphIndent, false);
    EXPECT_EQ(CheckText(text, noIndent).size(), 3U);
}

TEST(ManuscriptCheck, RulesAreFoundByTheirIds)
{
    for (const CheckRuleInfo& info : CheckRules()) {
        EXPECT_EQ(RuleById(info.id), info.rule);
        EXPECT_EQ(&RuleInfo(info.rule), &info);
    }
    EXPECT_EQ(RuleById("no-such-rule"), std::nullopt);
}

// Texts made of the characters the rules look at, among kana, blanks, half-width letters and
// random bytes, so that every rule fires often.
std::string RandomManuscript(std::mt19937& random)
{
    static const std::vector<std::string> pieces = [] {
        std::vector<std::string> p;
        for (const char* c : {"…",  "‥",  "―",  "！", "？", "。", "、",   "　",   "「", "」",
                              "『", "』", "（", "）", "［", "］", "＃",   "あ",   "漢", "ｶ",
                              "ﾟ",  "#",  " ",  "\t", "a",  "!",  "\r\n", "\r\n", "\r", "\n"})
            p.push_back(Sjis(std::string_view(c)));
        return p;
    }();
    std::uniform_int_distribution<std::size_t> length(0, 60);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size());
    std::uniform_int_distribution<int> anyByte(1, 255);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) {
        const std::size_t i = piece(random);
        text += i < pieces.size() ? pieces[i] : std::string(1, static_cast<char>(anyByte(random)));
    }
    return text;
}

// The characters of each line of a text joined by CR LF, walked independently of the checker.
std::vector<std::vector<ShiftJis::Character>> LinesOf(const std::string& text)
{
    std::vector<std::vector<ShiftJis::Character>> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t stop = text.find("\r\n", start);
        const std::string_view line = std::string_view(text).substr(
            start, (stop == std::string::npos ? text.size() : stop) - start);
        lines.emplace_back();
        for (const ShiftJis::Character& c : ShiftJis::Characters(line))
            lines.back().push_back(c);
        if (stop == std::string::npos)
            return lines;
        start = stop + 2;
    }
}

bool NamesItsCharacter(CheckRule rule, const std::vector<ShiftJis::Character>& line,
                       std::uint32_t column)
{
    auto isAt = [&](std::size_t index, std::string_view utf8) {
        const std::string sjis = Sjis(utf8);
        for (const ShiftJis::Character& c : ShiftJis::Characters(sjis))
            if (index < line.size() && c.code == line[index].code)
                return true;
        return false;
    };
    auto is = [&](std::string_view utf8) { return isAt(column - 1, utf8); };
    switch (rule) {
    case CheckRule::EllipsisPair:
        return is("…‥");
    case CheckRule::DashPair:
        return is("―");
    case CheckRule::SpaceAfterMark:
        return is("！？");
    case CheckRule::PeriodBeforeClose: {
        // The next character after any notes (［＃…］) that follow the period.
        std::size_t next = column;
        while (isAt(next, "［") && isAt(next + 1, "＃")) {
            std::size_t close = next + 2;
            while (close < line.size() && !isAt(close, "］"))
                ++close;
            if (close == line.size())
                break;
            next = close + 1;
        }
        return is("。") && isAt(next, "」』");
    }
    case CheckRule::ParagraphIndent:
        return column == 1;
    case CheckRule::BracketBalance:
        return is("「」『』（）〔〕［］｛｝〈〉《》【】");
    case CheckRule::RepeatedPunctuation:
        return is("。、");
    case CheckRule::HalfwidthKana:
        return !line[column - 1].doubleByte && line[column - 1].code >= 0xA1 &&
               line[column - 1].code <= 0xDF;
    }
    return false;
}

TEST(ManuscriptCheck, EveryFindingPointsAtTheCharacterItsRuleNames)
{
    std::mt19937 random(28);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomManuscript(random);
        const auto lines = LinesOf(text);
        const std::vector<CheckFinding> findings = CheckText(text, CheckSwitches());
        for (std::size_t i = 0; i < findings.size(); ++i) {
            const CheckFinding& f = findings[i];
            ASSERT_GE(f.line, 1U);
            ASSERT_LE(f.line, lines.size());
            const auto& line = lines[f.line - 1];
            ASSERT_GE(f.column, 1U);
            ASSERT_LE(f.column, line.size()) << RuleInfo(f.rule).id;
            EXPECT_TRUE(NamesItsCharacter(f.rule, line, f.column))
                << RuleInfo(f.rule).id << " at " << f.line << ":" << f.column;
            if (i > 0) {
                const CheckFinding& e = findings[i - 1];
                EXPECT_TRUE(e.line < f.line || (e.line == f.line && e.column < f.column) ||
                            (e.line == f.line && e.column == f.column && e.rule < f.rule))
                    << "findings out of order or repeated";
            }
        }
    }
}

// A line of a manuscript for the edits below: prose with the marks the rules look at, or one of
// the lines a heading is made of, so that block headings open and close as lines come and go.
std::string RandomLine(std::mt19937& random)
{
    static const std::vector<std::string> headingLines = [] {
        std::vector<std::string> lines;
        for (const char* line :
             {"［＃ここから大見出し］", "［＃ここで大見出し終わり］", "［＃ここから中見出し］",
              "［＃ここで中見出し終わり］", "第一章", "旅立ち", "# 見出し", ""})
            lines.push_back(Sjis(std::string_view(line)));
        return lines;
    }();
    if (std::uniform_int_distribution<int>(0, 1)(random) == 0)
        return headingLines[std::uniform_int_distribution<std::size_t>(0, headingLines.size() -
                                                                              1)(random)];
    std::string line = RandomManuscript(random);
    std::erase(line, '\r');
    std::erase(line, '\n');
    return line;
}

// The kept findings after any series of edits are those of checking the whole text again.
TEST(ManuscriptCheck, KeptLinesFollowEditsAsAWholeCheckWould)
{
    std::mt19937 random(2028);
    CheckedLines kept;
    CheckSwitches switches;
    switches.Set(CheckRule::HalfwidthKana, false);
    HeadingRules rules;
    ASSERT_TRUE(rules.SetExtraPattern("^◆"));
    kept.Reset(switches, rules);
    std::vector<std::string> lines = {""};
    const LineSource text = [&lines](std::size_t n) { return std::string_view(lines.at(n)); };
    kept.Replace(0, 0, 1, text, 1);
    for (int edit = 0; edit < 3000; ++edit) {
        std::uniform_int_distribution<std::size_t> at(0, lines.size());
        const std::size_t first = at(random);
        const std::size_t count = std::uniform_int_distribution<std::size_t>(
            0, std::min<std::size_t>(3, lines.size() - first))(random);
        std::vector<std::string> with(std::uniform_int_distribution<std::size_t>(0, 3)(random));
        for (std::string& line : with)
            line = RandomLine(random);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                    lines.begin() + static_cast<std::ptrdiff_t>(first + count));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first), with.begin(), with.end());
        kept.Replace(first, count, with.size(), text, lines.size());
        ASSERT_EQ(kept.Count(), lines.size());
        std::string whole;
        for (std::size_t i = 0; i < lines.size(); ++i)
            whole += (i > 0 ? "\r\n" : "") + lines[i];
        ASSERT_EQ(kept.Findings(), CheckText(whole, switches, rules)) << "after edit " << edit;
    }
}

} // namespace
