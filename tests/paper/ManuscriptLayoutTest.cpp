// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/ManuscriptLayout.h"
#include "ShiftJisText.h"
#include "analysis/Cp932Codec.h"
#include "analysis/RandomText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <random>

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// One sheet written out: every character as "line:cell" and itself (UTF-8), where the cell is
// where the character starts along the line (a half-width character sharing a cell starts half-way
// into it), "~length" after a cell narrowed to fit the line, "^" before a character that hangs
// below the last cell, lines apart by " / ".
std::string Describe(const ManuscriptLayout& layout, std::int32_t sheet)
{
    std::string out;
    std::int32_t line = 0;
    for (const CellPlacement& place : layout.Sheet(sheet)) {
        out += place.Line != line ? " / " : out.empty() ? "" : " ";
        line = place.Line;
        out += std::to_string(place.Line) + ":" +
               Number(place.Cell + place.Extent * place.Part / place.Parts) +
               (place.Extent != 1 ? "~" + Number(place.Extent) : "") + (place.Hanging ? "^" : "") +
               Cp932::DecodeToUtf8(place.Bytes);
    }
    return out;
}

TPaper Paper(std::int32_t column, std::int32_t line, std::uint8_t tab = DeleteTab)
{
    TPaper paper;
    paper.Column = column;
    paper.Line = line;
    paper.Tab = tab;
    return paper;
}

TEST(ManuscriptLayout, WorkedExampleCellByCell)
{
    const ManuscriptLayout layout(
        Paper(5, 2),
        Sjis("　今日は、いい天気でした。\r\n明日も晴れるでしょう。\r\n「はい」と答えた。"));
    ASSERT_EQ(layout.SheetCount(), 4);
    EXPECT_EQ(Describe(layout, 0), "0:0　 0:1今 0:2日 0:3は 0:4、 / 1:0い 1:1い 1:2天 1:3気 1:4で");
    EXPECT_EQ(Describe(layout, 1), "0:0し 0:1た 0:2。 0:3明 0:4日 / 1:0も 1:1晴 1:2れ 1:3る 1:4で");
    EXPECT_EQ(Describe(layout, 2), "0:0し 0:1ょ 0:2う 0:3。 / 1:0「 1:1は 1:2い 1:3」 1:4と");
    EXPECT_EQ(Describe(layout, 3), "0:0答 0:1え 0:2た 0:3。");
    EXPECT_EQ(Describe(layout, 4), "");
}

// Half-width characters fill cells two at a time; a double-byte character always starts a cell.
TEST(ManuscriptLayout, EveryDoubleByteCharacterInACellOfItsOwn)
{
    struct Row
    {
        const char* fact;
        std::int32_t column;
        const char* text;
        const char* sheet;
    };
    const Row rows[] = {
        {"a full stop hangs below the last cell", 3, "あいう。か",
         "0:0あ 0:1い 0:2う 0:3^。 / 1:0か"},
        {"two half-width characters share a cell", 2, "abcd", "0:0a 0:0.5b 0:1c 0:1.5d"},
        {"one half-width character takes a cell alone", 4, "aあいb", "0:0a 0:1あ 0:2い 0:3b"},
        {"a pair leaves the next cell whole", 4, "abあ", "0:0a 0:0.5b 0:1あ"},
        {"an odd third takes the next cell", 4, "URLを", "0:0U 0:0.5R 0:1L 0:2を"},
        {"five then a double-byte character", 5, "XHTML変換",
         "0:0X 0:0.5H 0:1T 0:1.5M 0:2L 0:3変 0:4換"},
        {"an odd run at the end of a line", 3, "あabc", "0:0あ 0:1a 0:1.5b 0:2c"},
        {"a line of half-width characters only", 2, "abcde", "0:0a 0:0.5b 0:1c 0:1.5d / 1:0e"},
        {"a half-width comma hangs", 1, "ab,c", "0:0a 0:0.5b 0:1^, / 1:0c"},
        {"a hung character after an odd half", 2, "abcあ。", "0:0a 0:0.5b 0:1c / 1:0あ 1:1。"},
        {"lone cells narrowed to end the line at its last cell", 2, "aあb",
         "0:0~0.5a 0:0.5あ 0:1.5~0.5b"},
        {"only the lone cells narrow", 3, "abcあd", "0:0a 0:0.5b 0:1~0.5c 0:1.5あ 0:2.5~0.5d"},
        {"a narrowed line keeps its hung mark", 2, "aあb。", "0:0~0.5a 0:0.5あ 0:1.5~0.5b 0:2^。"},
        {"nothing to place", 4, "", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Describe(ManuscriptLayout(Paper(row.column, 9), Sjis(row.text)), 0), row.sheet)
            << row.fact;
}

// Whatever the text, every double-byte character of a line that leaves room for the padding
// starts a cell, and no character of any line reaches past its last cell unless it hangs.
TEST(ManuscriptLayout, CellsStayOnTheGrid)
{
    const std::vector<std::string> pieces = {Sjis("あ"), Sjis("。"), "a", "b", "-", ","};
    std::mt19937 random(26);
    for (int round = 0; round < 3000; ++round) {
        const std::int32_t column = static_cast<std::int32_t>(1 + random() % 12);
        std::string text;
        for (std::uint32_t i = random() % 80; i > 0; --i)
            text += pieces[random() % pieces.size()];
        const ManuscriptLayout layout(Paper(column, 3), text);
        for (std::int32_t sheet = 0; sheet < layout.SheetCount(); ++sheet) {
            const std::vector<CellPlacement> places = layout.Sheet(sheet);
            for (const CellPlacement& place : places) {
                if (place.Hanging)
                    continue;
                ASSERT_LE(place.Cell + place.Extent, column + 1e-9) << text;
                ASSERT_GE(place.Extent, 0.5) << text;
                bool narrowed = false;
                for (const CellPlacement& other : places)
                    narrowed |= other.Line == place.Line && other.Extent != 1;
                if (place.DoubleByte && !narrowed) {
                    ASSERT_EQ(place.Cell, static_cast<std::int32_t>(place.Cell)) << text;
                }
            }
        }
    }
}

TEST(ManuscriptLayout, FollowsTheArrangementAndTheCount)
{
    constexpr std::int32_t Largest = std::numeric_limits<std::int32_t>::max();
    const std::int32_t sizes[] = {1, 2, 3, 5, 20, 0, -4, Largest};
    const std::vector<std::string> pieces = {Sjis("あ"), Sjis("。"), Sjis("」"), Sjis("「"),
                                             Sjis("　"), "a",        ",",        "\t",
                                             "\r\n",     "\r\n",     "\r",       "\n"};
    std::mt19937 random(15);
    for (int round = 0; round < 4000; ++round) {
        const TPaper paper =
            Paper(sizes[random() % std::size(sizes)], sizes[random() % std::size(sizes)],
                  static_cast<std::uint8_t>(random() % 4 == 3 ? 7 : random() % 3));
        std::string text = RandomShiftJisText(random, 60, false);
        for (std::uint32_t i = random() % 60; i > 0; --i)
            text += pieces[random() % pieces.size()];
        const ManuscriptLayout layout(paper, text);
        const PaperInfo count = paper.Count(text);
        ASSERT_EQ(layout.SheetCount(), count.Sheets) << text;
        ASSERT_EQ(layout.Info().TotalLines, count.TotalLines) << text;
        ASSERT_EQ(layout.Info().LastPageLines, count.LastPageLines) << text;

        // Every line put back together from its placements; only a line's last character hangs.
        std::vector<std::string> lines(static_cast<std::size_t>(count.TotalLines));
        for (std::int32_t sheet = 0; sheet < layout.SheetCount(); ++sheet) {
            const CellPlacement* previous = nullptr;
            for (const CellPlacement& place : layout.Sheet(sheet)) {
                if (previous != nullptr && previous->Hanging) {
                    ASSERT_NE(previous->Line, place.Line) << text;
                }
                const auto index =
                    std::size_t{static_cast<std::uint32_t>(sheet)} * std::max(paper.Line, 1) +
                    static_cast<std::size_t>(place.Line);
                ASSERT_LT(index, lines.size()) << text;
                lines[index] += place.Bytes;
                previous = &place;
            }
        }
        std::string shown;
        for (const std::string& line : lines)
            shown += (&line == &lines.front() ? "" : "\r\n") + line;
        EXPECT_EQ(shown, paper.Arrange(text)) << text;
    }
}

} // namespace
