// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/InformationPanel.h"
#include "analysis/WordCharacterSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MakeInformation, WritesTheSixPanelTexts)
{
    const WordCharacterSet words;
    struct Row
    {
        const char* fact;
        std::string text;
        std::optional<std::int32_t> displayLines;
        InformationTexts
            expected; // CharNumber, per line, LineNumber, WordNumber, per line, TextSize
    };
    const std::vector<Row> rows = {
        {"an empty text", "", std::nullopt, {"0", "0", "0", "0 (words)", "0", "0 (bytes)"}},
        {"abc", "abc", std::nullopt, {"3", "3", "1", "1 (words)", "1", "3 (bytes)"}},
        {"two lines", "abc\r\ndef", std::nullopt, {"6", "3", "2", "2 (words)", "1", "8 (bytes)"}},
        {"per line truncates",
         "ab\r\ncdefg",
         std::nullopt,
         {"7", "3", "2", "2 (words)", "1", "9 (bytes)"}},
        {"display lines replace the line count",
         "abcdef",
         4,
         {"6", "1", "4", "1 (words)", "0", "6 (bytes)"}},
        {"an empty editor in display mode", "", 1, {"0", "0", "1", "0 (words)", "0", "0 (bytes)"}},
        {"zero display lines give no per-line figures",
         "abc",
         0,
         {"3", "0", "0", "1 (words)", "0", "3 (bytes)"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MakeInformation(row.text, CountOptions{}, words, row.displayLines), row.expected)
            << row.fact;
}

TEST(MakeInformation, EmptyMatchesTheInitialPanel)
{
    EXPECT_EQ(EmptyInformation(), MakeInformation("", CountOptions{}, WordCharacterSet{}));
}

} // namespace
