// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShiftJisText.h"
#include "analysis/ShiftJis.h"
#include "paper/TPaper.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace {

TPaper Paper(std::int32_t column, std::uint8_t tab = DeleteTab)
{
    TPaper paper;
    paper.Column = column;
    paper.Tab = tab;
    return paper;
}

TEST(Arrangement, WorkedExampleFillsFourSheets)
{
    TPaper paper = Paper(5);
    paper.Line = 2;
    const std::string text =
        Sjis("　今日は、いい天気でした。\r\n明日も晴れるでしょう。\r\n「はい」と答えた。");
    EXPECT_EQ(paper.Arrange(text), Sjis("　今日は、\r\nいい天気で\r\nした。明日\r\nも晴れるで\r\n"
                                        "しょう。\r\n「はい」と\r\n答えた。"));
    const PaperInfo info = paper.Count(text);
    EXPECT_EQ(info.Sheets, 4);
    EXPECT_EQ(info.TotalLines, 7);
    EXPECT_EQ(info.LastPageLines, 1);
    EXPECT_EQ(info.SheetRatio, -1.0);
}

TEST(Arrangement, LineStartRules)
{
    struct Row
    {
        const char* fact;
        std::int32_t column;
        std::uint8_t tab;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"a full stop hangs on a full line", 5, 1, "あいうえお。かきくけこ",
         "あいうえお。\r\nかきくけこ"},
        {"only one character hangs", 5, 1, "あいうえお」。か", "あいうえお」\r\n。か"},
        {"a single-byte line breaks at 2 x Column", 5, 1, "abcdefghijk", "abcdefghij\r\nk"},
        {"a single-byte comma hangs", 5, 1, "abcdefghij,k", "abcdefghij,\r\nk"},
        {"a full line gets its break only when more comes", 5, 1, "あいうえお", "あいうえお"},
        {"empty source lines vanish before an indent", 5, 1, "あいう\r\n\r\n\r\n　えお",
         "あいう\r\n　えお"},
        {"no empty line after a hung character", 5, 1, "あいうえお。\r\n　かき",
         "あいうえお。\r\n　かき"},
        {"a source break runs on", 5, 1, "あいうえお\r\nかき", "あいうえお\r\nかき"},
        {"a source break runs on, wide paper", 10, 1, "あいうえお\r\nかき", "あいうえおかき"},
        {"an opening bracket keeps its break", 10, 1, "あ\r\n「い」", "あ\r\n「い」"},
        {"breaks at both ends are dropped", 10, 1, "\r\n\r\n　あ\r\n\r\n", "　あ"},
        {"a lone LF is an ordinary character", 10, 1, "あ\nい", "あ\nい"},
        {"a double-byte character never splits", 5, 1, "aあいうえお", "aあいうえ\r\nお"},
        {"a tab stays", 5, 0, "あ\tい", "あ\tい"},
        {"a tab is deleted", 5, 1, "あ\tい", "あい"},
        {"a tab becomes a double-byte space", 5, 2, "あ\tい", "あ　い"},
        {"any other tab mode acts as a space", 5, 7, "あ\tい", "あ　い"},
        {"a space from a tab ends a line", 5, 2, "あいうえ\tお", "あいうえ　\r\nお"},
        {"a tab fills the last unit", 5, 0, "あいうえa\tお", "あいうえa\t\r\nお"},
        {"a tab on a full line begins the next", 5, 0, "あいうえab\tお", "あいうえab\r\n\tお"},
        {"a tab never hangs", 5, 0, "あいうえお\t", "あいうえお\r\n\t"},
        {"Column 0 is taken as one cell", 0, 1, "あいう", "あ\r\nい\r\nう"},
        {"a negative Column is taken as one cell", -7, 1, "ab。", "ab。"},
        {"the largest Column keeps one line", std::numeric_limits<std::int32_t>::max(), 1,
         "あいうえおかきくけこ\r\nさ", "あいうえおかきくけこさ"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Paper(row.column, row.tab).Arrange(Sjis(row.text)), Sjis(row.expected))
            << row.fact;
}

TEST(Arrangement, EmptySetsDisableHangingAndForcedBreaks)
{
    TPaper paper = Paper(5);
    paper.NoFirstChar.clear();
    paper.ForceFirstChar.clear();
    EXPECT_EQ(paper.Arrange(Sjis("あいうえお。\r\n　か")), Sjis("あいうえお\r\n。　か"));
}

TEST(Arrangement, LoneLeadByteAtTheEndIsOneCharacter)
{
    EXPECT_EQ(Paper(1).Arrange("\x82\xA0\x82"), "\x82\xA0\r\n\x82");
    TPaper paper = Paper(1);
    paper.NoFirstChar = "\x82";
    EXPECT_EQ(paper.Arrange("\x82\xA0\x82"), "\x82\xA0\x82");
}

// A CR that is the second byte of a double-byte character is no line break: nothing is cut at
// the end, and the count sees one line.
TEST(Arrangement, TrailByteCrIsNoLineBreak)
{
    const std::string text = "\x81\x0D\n";
    EXPECT_EQ(Paper(5).Arrange(text), text);
    EXPECT_EQ(Paper(5).Count(text).TotalLines, 1);
}

// Lines of the arranged text, cut at CR LF pairs found by a character walk.
std::vector<std::string> ManuscriptLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (std::size_t p = 0; p < text.size();) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(text, p);
        if (ch.IsSingleByte(ShiftJis::CR) && p + 1 < text.size() && text[p + 1] == '\n') {
            lines.emplace_back();
            p += 2;
        } else {
            lines.back() += text.substr(p, ch.length);
            p += ch.length;
        }
    }
    return lines;
}

// Random source texts made of what a manuscript holds: kana, letters, closing and opening
// punctuation, tabs and line breaks. Every line of the arranged text is non-empty and at most
// 2 x Column units wide, plus one hung closing character.
TEST(Arrangement, RandomTextsKeepTheManuscriptShape)
{
    const std::vector<std::string> pieces = {Sjis("あ"), Sjis("天"), "a",        "Z",  Sjis("、"),
                                             Sjis("。"), Sjis("」"), ",",        ".",  ")",
                                             "\xA3",     Sjis("　"), Sjis("「"), "(",  "\xA2",
                                             "\t",       "\r\n",     "\r\n",     "\n", " "};
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        TPaper paper = Paper(1 + static_cast<std::int32_t>(random() % 12),
                             static_cast<std::uint8_t>(random() % 4));
        if (random() % 5 == 0)
            paper.NoFirstChar.clear();
        std::string text;
        for (std::uint32_t i = random() % 80; i > 0; --i)
            text += pieces[random() % pieces.size()];
        const std::string arranged = paper.Arrange(text);
        const std::vector<std::string> lines = ManuscriptLines(arranged);
        EXPECT_EQ(paper.Count(text).TotalLines, static_cast<std::int32_t>(lines.size())) << text;
        if (arranged.empty())
            continue;
        for (const std::string& line : lines) {
            ASSERT_FALSE(line.empty()) << text;
            std::int64_t width = 0, last = 0;
            for (const ShiftJis::Character& ch : ShiftJis::Characters(line))
                width += last = ch.doubleByte ? 2 : 1;
            const std::string lastChar = line.substr(line.size() - static_cast<std::size_t>(last));
            const bool hung = paper.IsNoFirstChar(lastChar);
            EXPECT_LE(width - (hung ? last : 0), 2 * paper.Column) << text;
        }
    }
}

} // namespace
