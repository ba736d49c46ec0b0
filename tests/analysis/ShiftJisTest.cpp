// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Cut
{
    std::size_t length;
    bool doubleByte;
    std::uint32_t code;
};

std::vector<Cut> CutText(std::string_view text)
{
    std::vector<Cut> cuts;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text))
        cuts.push_back({c.length, c.doubleByte, c.code});
    return cuts;
}

TEST(ShiftJisWalk, CutsTextIntoCharacters)
{
    struct Row
    {
        const char* name;
        std::string text;
        std::vector<Cut> expected;
    };
    const std::vector<Row> rows = {
        {"empty", "", {}},
        {"ascii", "ab", {{1, false, 'a'}, {1, false, 'b'}}},
        {"double-byte blank", "\x81\x40", {{2, true, 0x8140}}},
        {"trail byte may be ASCII",
         "\x83\x41"
         "A",
         {{2, true, 0x8341}, {1, false, 'A'}}},
        {"trail byte may be a lead byte", "\x81\x81\x40", {{2, true, 0x8181}, {1, false, 0x40}}},
        {"lone lead byte at the end", "a\xE0", {{1, false, 'a'}, {1, true, 0xE000}}},
        {"half-width kana is single", "\xB1\xDE", {{1, false, 0xB1}, {1, false, 0xDE}}},
        {"0xA0 and 0xFD are single", "\xA0\xFD", {{1, false, 0xA0}, {1, false, 0xFD}}},
        {"NUL is a character", std::string("\0\x82\xA0", 3), {{1, false, 0}, {2, true, 0x82A0}}},
        {"trail byte NUL", std::string("\x82\0", 2), {{2, true, 0x8200}}},
    };
    for (const Row& row : rows) {
        const std::vector<Cut> cuts = CutText(row.text);
        ASSERT_EQ(cuts.size(), row.expected.size()) << row.name;
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            EXPECT_EQ(cuts[i].length, row.expected[i].length) << row.name << " #" << i;
            EXPECT_EQ(cuts[i].doubleByte, row.expected[i].doubleByte) << row.name << " #" << i;
            EXPECT_EQ(cuts[i].code, row.expected[i].code) << row.name << " #" << i;
        }
    }
}

TEST(ShiftJisWalk, LeadByteRanges)
{
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(ShiftJis::IsLeadByte(static_cast<unsigned char>(b)), lead) << b;
    }
}

TEST(ShiftJisWalk, CharacterBoundaries)
{
    const std::string text = "a\x83\x5C"
                             "b"; // ソ: its trail byte is a backslash
    EXPECT_TRUE(ShiftJis::IsCharacterBoundary(text, 0));
    EXPECT_TRUE(ShiftJis::IsCharacterBoundary(text, 1));
    EXPECT_FALSE(ShiftJis::IsCharacterBoundary(text, 2));
    EXPECT_TRUE(ShiftJis::IsCharacterBoundary(text, 3));
    EXPECT_TRUE(ShiftJis::IsCharacterBoundary(text, 4));
}

} // namespace
