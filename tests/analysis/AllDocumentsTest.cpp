// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AllDocuments.h"
#include "analysis/WordCharacterSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(NormaliseSelection, DropsATrailingNulAndItsFollower)
{
    struct Row
    {
        const char* fact;
        std::string selected;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"empty stays empty", "", ""},
        {"a single NUL is empty", "\0"s, ""},
        {"a plain selection is unchanged", "abc", "abc"},
        {"NUL then one byte at the end goes", "ab\0x"s, "ab"},
        {"a NUL trail byte is part of a character", "a\x82\0x"s, "a\x82\0x"s},
        {"a NUL last is kept", "ab\0"s, "ab\0"s},
        {"NUL and one byte only", "\0x"s, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NormaliseSelection(row.selected), row.expected) << row.fact;
}

TEST(AllDocuments, SumsTheBasicCountsIntoTheReport)
{
    const std::vector<std::string_view> texts = {"ab", "c\r\nd"};
    const std::vector<std::int64_t> sizes = {2, 4};
    const TextStatistics totals = SumStatistics(texts, sizes, CountOptions{}, WordCharacterSet{});
    EXPECT_EQ(totals.characters, 4);
    EXPECT_EQ(totals.words, 3);
    EXPECT_EQ(totals.lines, 3);
    EXPECT_EQ(totals.bytes, 6);
    // "文字数 : 4", "英単語数 : 3", "1行あたりの文字数 : 1", "1行あたりの英単語数 : 1",
    // "行数 : 3", "サイズ : 6 (bytes)"
    EXPECT_EQ(MakeAllDocumentsReport(totals),
              "\x95\xB6\x8E\x9A\x90\x94 : 4\r\n\x89p\x92P\x8C\xEA\x90\x94 : 3\r\n1\x8Ds\x82\xA0"
              "\x82\xBD\x82\xE8\x82\xCC\x95\xB6\x8E\x9A\x90\x94 : 1\r\n1\x8Ds\x82\xA0\x82\xBD\x82"
              "\xE8\x82\xCC\x89p\x92P\x8C\xEA\x90\x94 : 1\r\n\x8Ds\x90\x94 : 3\r\n\x83T\x83"
              "C\x83Y : 6 (bytes)");
}

// The size is what the files hold, whatever their counting form is: a UTF-8 file of 「猫」 and LF
// is 4 bytes though its Shift-JIS form with CR LF is 4 as well, and a text without a final break
// is no longer than its file; sums go on past 2^31 and stop at the top of the 64-bit range.
TEST(AllDocuments, TheSizeIsTheSumOfTheFilesSizes)
{
    const std::vector<std::string_view> texts = {"\x94\x4C\r\n", "ab"};
    const struct
    {
        std::vector<std::int64_t> sizes;
        std::int64_t bytes;
    } rows[] = {
        {{4, 2}, 6},
        {{3, 2}, 5},
        {{0x7FFFFFFF, 2}, 0x80000001},
        {{0x7FFFFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF}, 0x7FFFFFFFFFFFFFFF},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SumStatistics(texts, row.sizes, CountOptions{}, WordCharacterSet{}).bytes,
                  row.bytes)
            << row.sizes[0];
}

TEST(AllDocuments, ReportWithoutLinesHasNoPerLineFigures)
{
    const TextStatistics totals = SumStatistics({}, {}, CountOptions{}, WordCharacterSet{});
    EXPECT_EQ(MakeAllDocumentsReport(totals),
              "\x95\xB6\x8E\x9A\x90\x94 : 0\r\n\x89p\x92P\x8C\xEA\x90\x94 : 0\r\n"
              "\x8Ds\x90\x94 : 0\r\n\x83T\x83"
              "C\x83Y : 0 (bytes)");
}

TEST(AllDocuments, SumsCensusAndPhrases)
{
    const std::vector<std::string_view> texts = {"ab", "", "a\r\n", "\x82\xA0"};
    const CharacterCensus census = SumCensus(texts, CountOptions{});
    EXPECT_EQ(census.allCharacters, 4);
    EXPECT_EQ(census.singleByteLetters, 3);
    EXPECT_EQ(census.hiragana, 1);
    // The empty document's -1 is not added.
    EXPECT_EQ(SumPhraseCounts(texts, "a"), 2);
    EXPECT_EQ(SumPhraseCounts(texts, ""), 0);
}

} // namespace
