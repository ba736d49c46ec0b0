// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/CharacterArea.h"

#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(CharacterArea, RemovalTakesWholeCharactersOnly)
{
    struct Row
    {
        const char* fact;
        std::string line;
        bool countSpace, countDoubleByteSpace;
        std::string kept;
    };
    const Row rows[] = {
        {"counted blanks stay", Sjis("a b\u3000c"), true, true, Sjis("a b\u3000c")},
        {"single-byte blanks go when not counted", Sjis(" a  b "), false, true, "ab"},
        {"double-byte blanks go when not counted", Sjis("\u3000あ\u3000"), true, false, Sjis("あ")},
        {"both go", Sjis(" \u3000 "), false, false, ""},
        // 0x81 0x40 is the double-byte blank only where 0x81 begins a character.
        {"a blank's bytes inside other characters stay", "\x82\x81\x40"s, true, false,
         "\x82\x81\x40"s},
        {"a space byte as a trail byte stays", "\x81\x20"s, false, true, "\x81\x20"s},
    };
    for (const Row& row : rows) {
        CountOptions options;
        options.countSpace = row.countSpace;
        options.countDoubleByteSpace = row.countDoubleByteSpace;
        EXPECT_EQ(RemoveUncountedBlanks(row.line, options), row.kept) << row.fact;
    }
    EXPECT_EQ(RemoveCharacters("\tA\x81\x09\r\n"s, {0x09, 0x0D, 0x0A}), "A\x81\x09"s);
}

TEST(CharacterArea, ReportGivesTheShareWithTwoDecimals)
{
    struct Row
    {
        std::int64_t covered, total;
        const char* share;
    };
    const Row rows[] = {
        {64, 256, "25.00"},                      // a 16 x 16 box with 64 black pixels
        {1, 3, "33.33"},                         // 33.333...
        {1, 8, "12.50"},                         // exact
        {1, 800, "0.13"},                        // 0.125: the tie goes away from zero
        {256, 256, "100.00"},                    // all black
        {3'000'000'000, 6'000'000'001, "50.00"}, // sums beyond 32 bits, as a long novel gives
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MakeAreaReport({row.covered, row.total, false}),
                  Sjis(std::string("文字の占める割合は ") + row.share + "% です。"))
            << row.covered << "/" << row.total;
    }
}

} // namespace
