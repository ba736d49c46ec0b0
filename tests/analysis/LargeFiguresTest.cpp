// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Figures beyond 2^31, as a text of several gigabytes has them: every sum and every report says
// the figure itself. The texts are made up of figures, not of gigabytes.
#include "analysis/AllDocuments.h"
#include "analysis/CharacterCensus.h"
#include "analysis/InformationPanel.h"
#include "analysis/LineFigures.h"
#include "analysis/PhraseCount.h"
#include "analysis/TextStatistics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t Large = 3'000'000'000; // a 3 GB file's bytes

bool Holds(const std::string& text, const std::string& figure)
{
    return text.find(figure) != std::string::npos;
}

// Lines of 2^31 - 1 characters each, summed over the kept lines as the panel sums them.
TEST(LargeFigures, LineSumsGoPastTwoToTheThirtyOne)
{
    LineFigures line;
    line.characters = std::numeric_limits<std::int32_t>::max();
    line.bytes = std::numeric_limits<std::int32_t>::max();
    line.emptyAsRead = false;
    LineSums sums(2);
    sums.Assign(std::vector<LineFigures>(3, line));
    const TextStatistics whole = sums.Range(0, 3).Statistics();
    EXPECT_EQ(whole.characters, 3 * std::int64_t{std::numeric_limits<std::int32_t>::max()});
    EXPECT_EQ(whole.bytes, 3 * std::int64_t{std::numeric_limits<std::int32_t>::max()} + 4);
    EXPECT_EQ(whole.lines, 3);
}

// The panel, the all-documents report, the census and the phrase report write the figure.
TEST(LargeFigures, ReportsWriteTheFigureItself)
{
    const TextStatistics statistics{Large, 3, Large + 4, Large / 2};
    const InformationTexts panel = FormatInformation(statistics, std::nullopt);
    EXPECT_EQ(panel.charNumber, "3000000000");
    EXPECT_EQ(panel.charNumberPerLine, "1000000000");
    EXPECT_EQ(panel.textSize, "3000000004 (bytes)");
    EXPECT_EQ(panel.wordNumber, "1500000000 (words)");

    const std::string all = MakeAllDocumentsReport(statistics);
    EXPECT_TRUE(Holds(all, "3000000000")) << all;
    EXPECT_TRUE(Holds(all, "3000000004 (bytes)")) << all;

    CharacterCensus census;
    census.allCharacters = Large;
    census.hiragana = Large / 4;
    census.doubleByteTotal = Large;
    const auto report = MakeCharacterTypeReport(census);
    ASSERT_TRUE(report.has_value());
    EXPECT_TRUE(Holds(*report, "750000000  ( 25.00 % )")) << *report;

    const auto phrase = MakePhraseReport(Large, "x");
    ASSERT_TRUE(phrase.has_value());
    EXPECT_TRUE(Holds(*phrase, "3000000000")) << *phrase;
}

} // namespace
