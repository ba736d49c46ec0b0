// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a paragraph: where Japanese text may break, the line-start characters, blanks that
// hang, cuts where nothing fits; and a re-break after an edit equals breaking the new text whole.

#include "rows/RowBreaker.h"
#include "paper/TPaper.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Each character one cell wide; half-width ones (ASCII) half a cell; the second unit of a pair 0.
std::vector<double> Advances(std::u16string_view text)
{
    std::vector<double> advances;
    for (const char16_t unit : text)
        advances.push_back(unit >= 0xDC00 && unit <= 0xDFFF ? 0.0 : unit < 0x80 ? 0.5 : 1.0);
    return advances;
}

std::u16string Joined(std::u16string_view text, const RowStarts& rows)
{
    std::u16string joined;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            joined += u'|';
        const std::size_t end = i + 1 < rows.size() ? rows[i + 1] : text.size();
        joined += text.substr(rows[i], end - rows[i]);
    }
    return joined;
}

// For messages: the rows as a writer reads them.
std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

RowBreaker SheetsBreaker()
{
    return RowBreaker::ForPaper(TPaper());
}

TEST(RowBreaker, BreaksWhereJapaneseTextMayBreak)
{
    struct Row
    {
        const char* name;
        std::u16string text;
        double width;
        std::u16string rows;
    };
    const std::vector<Row> table = {
        {"kana break anywhere", u"あいうえお", 2, u"あい|うえ|お"},
        {"a comma goes with the character before it", u"あい、うえ", 2, u"あ|い、|うえ"},
        {"closing marks hang where nothing else can move", u"「。」あ", 2, u"「。」|あ"},
        {"an opening bracket goes with what follows", u"あ「い」う", 3, u"あ|「い」|う"},
        {"a Latin word stays whole", u"ab cdef gh", 3, u"ab |cdef |gh"},
        {"blanks hang past the width", u"ab   cd", 1, u"ab   |cd"},
        {"a word longer than the row is cut", u"abcdefgh", 2, u"abcd|efgh"},
        {"a pair of units is one character", u"𠮷𠮷𠮷", 2, u"𠮷𠮷|𠮷"},
        {"a row holds one character however narrow", u"あい", 0.5, u"あ|い"},
        {"all fits", u"あいう", 10, u"あいう"},
        {"empty", u"", 2, u""},
        {"the sheets' line-start characters", u"あいう）えお", 3, u"あい|う）え|お"},
    };
    const RowBreaker breaker = SheetsBreaker();
    for (const Row& row : table) {
        const std::vector<double> advances = Advances(row.text);
        EXPECT_EQ(Joined(row.text, breaker.Break(row.text, advances, row.width)), row.rows)
            << row.name;
    }
}

TEST(RowBreaker, TabsReachTheNextStopFromTheStartOfTheirRow)
{
    RowBreaker breaker = SheetsBreaker();
    breaker.SetTabStop(4);
    const std::u16string text = u"ab\tcd\tef\tg";
    // a b reach 1, the tab 4, c d 5; the next tab would reach 8 and hangs; the row after starts
    // its own stops: e f reach 1, the tab 4, g 4.5.
    EXPECT_EQ(Joined(text, breaker.Break(text, Advances(text), 6)), u"ab\tcd\t|ef\tg");
}

// Random paragraphs of Japanese and Latin text, random widths and random edits.
class RowBreakerProperty : public ::testing::Test
{
protected:
    std::u16string RandomText(std::size_t length)
    {
        static const std::u16string pieces[] = {u"あ", u"漢", u"ー", u"ッ", u"、",
                                                u"。", u"「", u"」", u"a",  u"b",
                                                u" ",  u"𠮷", u"ab", u"　", u"\t"};
        std::u16string text;
        while (text.size() < length)
            text += pieces[Random() % std::size(pieces)];
        return text;
    }
    std::mt19937 Random{20261208};
};

TEST_F(RowBreakerProperty, RowsFitAndNeverStartWithALineStartCharacter)
{
    const RowBreaker breaker = SheetsBreaker();
    const TPaper paper;
    for (int round = 0; round < 300; ++round) {
        const std::u16string text = RandomText(Random() % 120);
        const std::vector<double> advances = Advances(text);
        const double width = 2 + Random() % 12;
        const RowStarts rows = breaker.Break(text, advances, width);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front(), 0);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            ASSERT_LT(rows[i - 1], rows[i]) << round;
            ASSERT_LT(rows[i], static_cast<std::int32_t>(text.size()));
            const char16_t first = text[rows[i]];
            EXPECT_FALSE(first >= 0xDC00 && first <= 0xDFFF) << "a pair cut, round " << round;
            EXPECT_FALSE(first == u'、' || first == u'。' || first == u'」')
                << "a row starts with a line-start character, round " << round << ": "
                << Utf8(Joined(text, rows)) << " width " << width;
            // What does not hang (blanks, line-start characters) fits, unless the row is a single
            // character.
            double used = 0;
            std::int32_t end = rows[i];
            while (end > rows[i - 1] &&
                   (text[end - 1] == u' ' || text[end - 1] == u'\t' || text[end - 1] == u'、' ||
                    text[end - 1] == u'。' || text[end - 1] == u'」'))
                --end;
            for (std::int32_t at = rows[i - 1]; at < end; ++at)
                used += advances[at];
            EXPECT_TRUE(used <= width || end - rows[i - 1] <= 2) << round;
        }
    }
}

TEST_F(RowBreakerProperty, ARebreakAfterAnEditEqualsBreakingTheNewText)
{
    RowBreaker breaker = SheetsBreaker();
    breaker.SetTabStop(3);
    for (int round = 0; round < 1000; ++round) {
        std::u16string text = RandomText(Random() % 300);
        const double width = 1 + Random() % 16;
        RowStarts rows = breaker.Break(text, Advances(text), width);
        for (int edit = 0; edit < 5; ++edit) {
            std::int32_t at = text.empty() ? 0 : static_cast<std::int32_t>(Random() % text.size());
            if (at > 0 && text[at] >= 0xDC00 && text[at] <= 0xDFFF)
                --at; // edits keep pairs whole
            std::int32_t removed =
                std::min<std::int32_t>(Random() % 6, static_cast<std::int32_t>(text.size()) - at);
            if (at + removed < static_cast<std::int32_t>(text.size()) &&
                text[at + removed] >= 0xDC00 && text[at + removed] <= 0xDFFF)
                ++removed;
            const std::u16string put = RandomText(Random() % 8);
            text.replace(at, removed, put);
            const std::vector<double> advances = Advances(text);
            rows = breaker.Rebreak(text, advances, width, rows, at, removed,
                                   static_cast<std::int32_t>(put.size()));
            ASSERT_EQ(rows, breaker.Break(text, advances, width))
                << "round " << round << " edit " << edit;
        }
    }
}

} // namespace
