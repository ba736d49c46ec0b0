// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/SubmissionPage.h"
#include "ShiftJisText.h"
#include "analysis/RandomText.h"
#include "paper/DoubleByteConversion.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The submission fills exactly the pages that the sheet count reports for paper of its Column and
// Line, whatever the text and the page; the title and the name on the first lines add theirs.
TEST(SubmissionPage, PagesAreTheSheetCountOfItsColumnAndLine)
{
    const std::int32_t columns[] = {40, 42, 20, 1, 7};
    const std::int32_t lines[] = {30, 34, 20, 1, 3};
    const PageSize sizes[] = {PageSize::A4, PageSize::B5, PageSize::B4, PageSize::A5};
    const PageTurn turns[] = {PageTurn::Automatic, PageTurn::Portrait, PageTurn::Landscape};
    const std::vector<std::string> pieces = {Sjis("　"), Sjis("「"), Sjis("」"), Sjis("。"),
                                             "\r\n",     "URL",      "-",        "\t"};
    const TPaper sheets;
    std::mt19937 random(26);
    for (int round = 0; round < 1500; ++round) {
        const SubmissionSettings settings =
            SubmissionSettings{.Column = columns[random() % std::size(columns)],
                               .Line = lines[random() % std::size(lines)],
                               .Size = sizes[random() % std::size(sizes)],
                               .Turn = turns[random() % std::size(turns)],
                               .Vertical = random() % 2 == 0};
        std::string text = RandomShiftJisText(random, 400, false);
        for (std::uint32_t i = random() % 40; i > 0; --i)
            text += pieces[random() % pieces.size()];
        const TPaper paper = SubmissionPaper(sheets, settings);
        const PaperInfo count = paper.Count(ConvertForSubmission(text));
        const ManuscriptLayout layout = SubmissionLayout(sheets, settings, text, "題", "名前");
        ASSERT_EQ(layout.SheetCount(), count.Sheets) << text;
        ASSERT_EQ(layout.Info().TotalLines, count.TotalLines) << text;

        SubmissionSettings titled = settings;
        titled.Title = TitlePlace::FirstLines;
        const std::string heading = SubmissionHeading(paper, Sjis("題"), Sjis("名前"));
        const ManuscriptLayout withTitle = SubmissionLayout(sheets, titled, text, "題", "名前");
        ASSERT_EQ(withTitle.Info().TotalLines, count.TotalLines + paper.Count(heading).TotalLines)
            << text;
    }
}

// The title a few cells in on the first line, the name ending a cell before the end of the second.
TEST(SubmissionPage, TitleAndNameOnTheFirstTwoLines)
{
    TPaper paper;
    paper.Column = 10;
    EXPECT_EQ(SubmissionHeading(paper, Sjis("猫"), Sjis("漱石")),
              Sjis("　　猫\r\n　　　　　　　漱石"));
    EXPECT_EQ(SubmissionHeading(paper, "", "abc"), Sjis("　　\r\n　　　　　　　 abc"));
    paper.Column = 3;
    EXPECT_EQ(SubmissionHeading(paper, Sjis("長い題名"), Sjis("名")), Sjis("長い題\r\n名\r\n　名"));
}

TEST(SubmissionPage, PageAndCharacterSize)
{
    struct Row
    {
        const char* fact;
        SubmissionSettings settings;
        double width, height, pitch, linePitch, points;
    };
    SubmissionSettings small = SubmissionSettings{.Column = 40,
                                                  .Line = 30,
                                                  .Size = PageSize::A4,
                                                  .Turn = PageTurn::Automatic,
                                                  .Vertical = true};
    small.FontTenths = 90;
    SubmissionSettings large = small;
    large.FontTenths = 500;
    SubmissionSettings wide = SubmissionSettings{.Column = 20,
                                                 .Line = 20,
                                                 .Size = PageSize::A5,
                                                 .Turn = PageTurn::Portrait,
                                                 .Vertical = true};
    wide.MarginSide = 200;
    const Row rows[] = {
        {"40 x 30 on A4, vertical: landscape",
         SubmissionSettings{.Column = 40,
                            .Line = 30,
                            .Size = PageSize::A4,
                            .Turn = PageTurn::Automatic,
                            .Vertical = true},
         297, 210, 150.0 / 40, 247.0 / 30, 150.0 / 40 * 72 / 25.4},
        {"horizontal: portrait",
         SubmissionSettings{.Column = 40,
                            .Line = 30,
                            .Size = PageSize::A4,
                            .Turn = PageTurn::Automatic,
                            .Vertical = false},
         210, 297, 160.0 / 40, 237.0 / 30, 160.0 / 40 * 72 / 25.4},
        {"B5 turned by hand",
         SubmissionSettings{.Column = 20,
                            .Line = 20,
                            .Size = PageSize::B5,
                            .Turn = PageTurn::Portrait,
                            .Vertical = true},
         182, 257, 197.0 / 20, 132.0 / 20, 132.0 / 20 * 72 / 25.4},
        {"B4",
         SubmissionSettings{.Column = 40,
                            .Line = 30,
                            .Size = PageSize::B4,
                            .Turn = PageTurn::Landscape,
                            .Vertical = true},
         364, 257, 197.0 / 40, 314.0 / 30, 197.0 / 40 * 72 / 25.4},
        {"a size asked for below the room", small, 297, 210, 3.75, 247.0 / 30, 9},
        {"a size larger than the room is the room", large, 297, 210, 3.75, 247.0 / 30,
         3.75 * 72 / 25.4},
        {"margins wider than the page leave a tenth of it", wide, 148, 210, 150.0 / 20, 14.8 / 20,
         14.8 / 20 * 72 / 25.4},
    };
    for (const Row& row : rows) {
        const SubmissionGeometry page = GeometryOf(row.settings);
        EXPECT_DOUBLE_EQ(page.Width, row.width) << row.fact;
        EXPECT_DOUBLE_EQ(page.Height, row.height) << row.fact;
        EXPECT_NEAR(page.Pitch, row.pitch, 1e-9) << row.fact;
        EXPECT_NEAR(page.LinePitch, row.linePitch, 1e-9) << row.fact;
        EXPECT_NEAR(page.FontPoints, row.points, 1e-9) << row.fact;
    }
}

// The characters of a date and of a word land in the cells a contest expects: a number of two
// digits shares one cell, everything else takes one of its own.
TEST(SubmissionPage, HalfWidthCharactersInTheirCells)
{
    const SubmissionSettings settings{.Column = 20, .Line = 10};
    struct Row
    {
        const char* text;
        std::vector<std::pair<double, std::string>> cells; // each character's cell, in order
    };
    const std::vector<Row> rows = {
        {"1-1-52", {{0, "1"}, {1, "－"}, {2, "1"}, {3, "－"}, {4, "5"}, {4, "2"}}},
        {"URL", {{0, "Ｕ"}, {1, "Ｒ"}, {2, "Ｌ"}}},
        {"第12話", {{0, "第"}, {1, "1"}, {1, "2"}, {2, "話"}}},
        {"2026", {{0, "２"}, {1, "０"}, {2, "２"}, {3, "６"}}},
    };
    for (const Row& row : rows) {
        const ManuscriptLayout layout =
            SubmissionLayout(TPaper(), settings, Sjis(row.text), "", "");
        std::vector<std::pair<double, std::string>> cells;
        for (const CellPlacement& place : layout.Sheet(0))
            cells.emplace_back(place.Cell, Cp932::DecodeToUtf8(place.Bytes));
        std::vector<std::pair<double, std::string>> expected;
        for (const auto& [cell, utf8] : row.cells)
            expected.emplace_back(cell, utf8);
        EXPECT_EQ(cells, expected) << row.text;
    }
}

TEST(SubmissionPage, PageSizeNames)
{
    EXPECT_EQ(PageSizeNamed("A4"), PageSize::A4);
    EXPECT_EQ(PageSizeNamed("b5"), PageSize::B5);
    EXPECT_EQ(PageSizeNamed("B4"), PageSize::B4);
    EXPECT_EQ(PageSizeNamed("a5"), PageSize::A5);
    for (const char* name : {"", "A3", "A44", "letter", "B"})
        EXPECT_EQ(PageSizeNamed(name), std::nullopt) << name;
    for (const PageSize size : {PageSize::A4, PageSize::B5, PageSize::B4, PageSize::A5})
        EXPECT_EQ(PageSizeNamed(PageSizeName(size)), size);
}

} // namespace
