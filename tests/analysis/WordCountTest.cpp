// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/WordCount.h"
#include "RandomText.h"
#include "ShiftJisText.h"
#include "analysis/WordCharacterSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

WordCharacterSet MakeSet(bool digits, std::string_view list)
{
    WordCharacterSet set;
    set.countDigits = digits;
    set.SetCharacterList(list);
    return set;
}

TEST(CountWords, CountsEnglishWordsAsAWriterExpects)
{
    const WordCharacterSet defaults;
    struct Row
    {
        const char* fact;
        std::string text;
        std::int32_t words;
    };
    const std::vector<Row> rows = {
        {"empty", "", 0},
        {"one word", "abc", 1},
        {"a word on each line", "abc\r\ndef", 2},
        {"a hyphen joins", "well-known", 1},
        {"a joined pair and one more", "well-known fact", 2},
        {"a blank after the hyphen cancels the join", "well- known", 2},
        {"a hyphen chain is one word", "a-b-c", 1},
        {"a hyphen at the line end joins over the next line's blanks", "inter-\r\n  national", 1},
        {"double-byte blanks and tabs lead the next line too", "inter-\r\n\x81\x40\tnational", 1},
        {"an empty line cancels the join", "inter-\r\n\r\nnational", 2},
        {"blanks after the hyphen up to the line end still join", "inter- \t\r\nnational", 1},
        {"a CR after the break ends the leading blanks", "inter-\r\n\r national", 2},
        {"blanks and a letter at the very end", "ab- x", 2},
        {"a hyphen and blanks at the end of the text", "ab-  ", 1},
        {"a hyphen after a blank is nothing", "a -b", 2},
        {"a double hyphen cancels", "a--b", 2},
        {"a CR inside a word does not split it", "ab\rcd", 1},
        {"apostrophe is listed", "don't", 1},
        {"digits count", "C3PO", 1},
        {"full-width digits are no word characters", "\x82P\x82Q\x82R", 0},
        {"a trail byte 'A' is no letter",
         "\x83"
         "A\x83"
         "A",
         0},
        {"kana between words",
         "a\x82\xA0"
         "b",
         2},
        {"the text ends at a NUL", "ab\0cd"s, 1},
        {"a lone lead byte ends the text", "ab\x82", 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CountWords(row.text, defaults), row.words) << row.fact;
}

TEST(CountWords, FollowsTheWordCharacterSetting)
{
    struct Row
    {
        const char* fact;
        bool digits;
        std::string list;
        std::string text;
        std::int32_t words;
    };
    const std::vector<Row> rows = {
        {"without digits C3PO is two words", false, "@'", "C3PO", 2},
        {"R2D2 with digits", true, "", "R2D2", 1},
        {"R2D2 without digits or list", false, "", "R2D2", 2},
        {"without the apostrophe", true, "", "don't", 2},
        {"a listed full-width letter", true, "\x82\x81", "\x82\x81\x82\x81", 1},
        {"a listed digit counts with digits off", false, "3", "C3PO", 1},
        {"a listed double-byte letter joins with ASCII", true, "\x82\x81",
         "a\x82\x81"
         "b c",
         2},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CountWords(row.text, MakeSet(row.digits, row.list)), row.words) << row.fact;
}

TEST(CountWords, SkippingBetweenWordsChangesNothing)
{
    // A list of many characters makes the count look at every character; a list of letters that
    // are word characters anyway must give the same counts as the default skipping search.
    const WordCharacterSet skipping = MakeSet(true, "@'");
    const WordCharacterSet stepping = MakeSet(true, "abcdefghijklmnopqrstuvwxyz@'");
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomShiftJisText(random, 300, round % 3 == 0);
        ASSERT_EQ(CountWords(text, skipping), CountWords(text, stepping)) << "round " << round;
    }
}

TEST(CountWords, BlockWalkAgreesWithTheCharacterWalk)
{
    // Lists with line breaks, kana, letters, a lead byte and long lists, with digits on and off;
    // texts long enough for words, hyphens and double-byte blanks to straddle 64-byte blocks.
    const std::vector<std::string> lists = {
        "", "@'", "\r\n", "\xA6x7", "\x81", "Z", "0123456789abcdefghijklmnop@'", Sjis(u8"Ａ")};
    std::mt19937 random(2512);
    for (int round = 0; round < 4000; ++round) {
        const std::string list = lists[static_cast<std::size_t>(round) % lists.size()];
        const WordCharacterSet set = MakeSet(round % 3 != 0, list);
        const std::string text =
            RandomShiftJisText(random, round % 5 == 0 ? 1500 : 300, round % 4 == 0);
        ASSERT_EQ(CountWords(text, set), CountWordsByCharacter(text, set))
            << "round " << round << " list " << list;
    }
}

TEST(CountWords, MaskedBlocksOfProseAgreeWithTheCharacterWalk)
{
    // Prose leaves most blocks without a hyphen or a CR, the blocks the walk passes as masks; the
    // lines of the panel's line-by-line sums are counted by the same walk.
    const std::vector<std::string> lists = {"", "@'", "\xA6x7", "Z", Sjis(u8"Ａ")};
    std::mt19937 random(2612);
    for (int round = 0; round < 4000; ++round) {
        const std::string list = lists[static_cast<std::size_t>(round) % lists.size()];
        const WordCharacterSet set = MakeSet(round % 3 != 0, list);
        const std::string text = RandomProse(random, round % 5 == 0 ? 3000 : 400);
        ASSERT_EQ(CountWords(text, set), CountWordsByCharacter(text, set))
            << "round " << round << " list " << list;
    }
}

} // namespace
