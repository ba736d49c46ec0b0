#include "paper/ManuscriptLayout.h"
#include "ShiftJisText.h"
#include "analysis/Cp932Codec.h"
#include "analysis/RandomText.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

// One sheet written out: every character as "line:unit" and itself (UTF-8), "^" before a
// character that hangs below the last cell, lines apart by " / ".
std::string Describe(const ManuscriptLayout& layout, std::int32_t sheet)
{
    std::string out;
    std::int32_t line = 0;
    for (const CellPlacement& place : layout.Sheet(sheet)) {
        out += place.Line != line ? " / " : out.empty() ? "" : " ";
        line = place.Line;
        out += std::to_string(place.Line) + ":" + std::to_string(place.Unit) +
               (place.Hanging ? "^" : "") + Cp932::DecodeToUtf8(place.Bytes);
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
    EXPECT_EQ(Describe(layout, 0), "0:0　 0:2今 0:4日 0:6は 0:8、 / 1:0い 1:2い 1:4天 1:6気 1:8で");
    EXPECT_EQ(Describe(layout, 1), "0:0し 0:2た 0:4。 0:6明 0:8日 / 1:0も 1:2晴 1:4れ 1:6る 1:8で");
    EXPECT_EQ(Describe(layout, 2), "0:0し 0:2ょ 0:4う 0:6。 / 1:0「 1:2は 1:4い 1:6」 1:8と");
    EXPECT_EQ(Describe(layout, 3), "0:0答 0:2え 0:4た 0:6。");
    EXPECT_EQ(Describe(layout, 4), "");
}

TEST(ManuscriptLayout, HalfCellsAndHanging)
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
         "0:0あ 0:2い 0:4う 0:6^。 / 1:0か"},
        {"two half-width characters share a cell", 2, "abcd", "0:0a 0:1b 0:2c 0:3d"},
        {"a double-byte character may straddle two cells", 3, "aあいb", "0:0a 0:1あ 0:3い 0:5b"},
        {"a half-width comma hangs", 1, "ab,c", "0:0a 0:1b 0:2^, / 1:0c"},
        {"a hung character after an odd half", 2, "abcあ。", "0:0a 0:1b 0:2c / 1:0あ 1:2。"},
        {"nothing to place", 4, "", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Describe(ManuscriptLayout(Paper(row.column, 9), Sjis(row.text)), 0), row.sheet)
            << row.fact;
}

// The layout shows exactly the arranged text and fills exactly the sheets the count reports,
// whatever the text and the paper.
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
