// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShiftJisText.h"
#include "analysis/SettingsStore.h"
#include "paper/TPaper.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <map>

namespace {

constexpr std::int32_t Largest = std::numeric_limits<std::int32_t>::max();

TEST(PaperCount, SimpleCountFromWeightedCharacters)
{
    struct Row
    {
        const char* fact;
        std::int32_t column, line, n;
        PaperInfo expected;
        const char* ratio;
    };
    const Row rows[] = {
        {"exactly one sheet", 20, 20, 800, {1, 20, 20}, "1.00000"},
        {"two units over a sheet", 20, 20, 802, {2, 21, 1}, "1.00250"},
        {"one half-width character", 20, 20, 1, {1, 1, 1}, "0.00125"},
        {"a full last sheet", 20, 20, 1600, {2, 40, 20}, "2.00000"},
        {"nothing to count: no sheet", 20, 20, 0, {0, 0, 0}, "0.00000"},
        {"Column and Line of 0 are taken as 1", 0, -3, 5, {3, 3, 1}, "2.50000"},
        {"the largest paper", Largest, Largest, Largest, {1, 1, 1}, "0.00000"},
        {"the narrowest paper and the largest count",
         1,
         1,
         Largest,
         {1073741824, 1073741824, 1},
         "1073741823.50000"},
    };
    for (const Row& row : rows) {
        TPaper paper;
        paper.Column = row.column;
        paper.Line = row.line;
        const PaperInfo info = paper.SimpleCount(row.n);
        EXPECT_EQ(info.Sheets, row.expected.Sheets) << row.fact;
        EXPECT_EQ(info.TotalLines, row.expected.TotalLines) << row.fact;
        EXPECT_EQ(info.LastPageLines, row.expected.LastPageLines) << row.fact;
        EXPECT_NE(MakePaperReport(info).find(std::string(" ( ") + row.ratio + " )"),
                  std::string::npos)
            << row.fact;
    }
}

TEST(PaperCount, FormattedCountOfTextsWithoutLines)
{
    TPaper paper;
    for (const char* text : {"", "\r\n\r\n\r\n"}) {
        const PaperInfo info = paper.Count(text);
        EXPECT_EQ(info.Sheets, 1);
        EXPECT_EQ(info.TotalLines, 1);
        EXPECT_EQ(info.LastPageLines, 1);
    }
    paper.Column = 1;
    paper.Line = 0; // taken as one line per sheet
    const PaperInfo info = paper.Count(Sjis("あいう"));
    EXPECT_EQ(info.Sheets, 3);
    EXPECT_EQ(info.LastPageLines, 1);
    paper.Line = Largest;
    EXPECT_EQ(paper.Count(Sjis("あいう")).Sheets, 1);
}

TEST(PaperReport, TextIsExact)
{
    TPaper paper;
    EXPECT_EQ(
        MakePaperReport(paper.SimpleCount(802)),
        Sjis("----- 原稿用紙情報 -----\r\n\r\n原稿用紙の枚数 : 2 ( 1.00250 )\r\n総行数 : 21\r\n"
             "最終ページの行数 : 1\r\n"));
    EXPECT_EQ(MakePaperReport(paper.Count(Sjis("あ"))),
              Sjis("----- 原稿用紙情報 -----\r\n\r\n原稿用紙の枚数 : 1\r\n総行数 : 1\r\n"
                   "最終ページの行数 : 1\r\n"));
}

// The settings file in memory: every value kept as text, as the real file keeps it.
class FakeIniFile : public SettingsStore
{
public:
    std::map<std::string, std::string> Values; // "section/key" -> text

    std::string ReadString(std::string_view s, std::string_view k, std::string_view d) override
    {
        const auto found = Values.find(Key(s, k));
        return found == Values.end() ? std::string(d) : found->second;
    }
    void WriteString(std::string_view s, std::string_view k, std::string_view v) override
    {
        Values[Key(s, k)] = v;
    }
    std::string ReadShiftJisString(std::string_view s, std::string_view k,
                                   std::string_view d) override
    {
        return ReadString(s, k, d);
    }
    void WriteShiftJisString(std::string_view s, std::string_view k, std::string_view v) override
    {
        WriteString(s, k, v);
    }
    std::int32_t ReadInteger(std::string_view s, std::string_view k, std::int32_t d) override
    {
        const std::string text = ReadString(s, k, std::to_string(d));
        std::int32_t value = d;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() ? value : d;
    }
    void WriteInteger(std::string_view s, std::string_view k, std::int32_t v) override
    {
        WriteString(s, k, std::to_string(v));
    }
    bool ReadBool(std::string_view s, std::string_view k, bool d) override
    {
        return ReadInteger(s, k, d) != 0;
    }
    void WriteBool(std::string_view s, std::string_view k, bool v) override
    {
        WriteInteger(s, k, v);
    }

private:
    static std::string Key(std::string_view section, std::string_view key)
    {
        return std::string(section) + "/" + std::string(key);
    }
};

TEST(PaperSettings, DefaultsWithoutASection)
{
    FakeIniFile file;
    TPaper paper;
    paper.ReadSettings(file);
    EXPECT_EQ(paper.Column, 20);
    EXPECT_EQ(paper.Line, 20);
    EXPECT_EQ(paper.NoFirstChar, Sjis("，、。．）」〕｝】》』,.]})｣"));
    EXPECT_EQ(paper.ForceFirstChar, Sjis("　（「〔｛【《『・●◎○◆□◇■[{(｢･"));
    EXPECT_EQ(paper.Tab, DeleteTab);
}

TEST(PaperSettings, RoundTripAndHandEditedValues)
{
    FakeIniFile file;
    TPaper written;
    written.Column = 40;
    written.Line = 30;
    written.NoFirstChar.clear();
    written.Tab = ChangeTabToSpace;
    written.WriteSettings(file);
    EXPECT_EQ(file.Values["Paper/Column"], "40");
    EXPECT_EQ(file.Values["Paper/Tab"], "2");
    TPaper read;
    read.ReadSettings(file);
    EXPECT_EQ(read.Column, 40);
    EXPECT_EQ(read.Line, 30);
    EXPECT_EQ(read.NoFirstChar, "");
    EXPECT_EQ(read.ForceFirstChar, TPaper().ForceFirstChar); // begins with the double-byte space
    EXPECT_EQ(read.Tab, ChangeTabToSpace);

    file.Values["Paper/Column"] = "0";
    file.Values["Paper/Line"] = "-5";
    file.Values["Paper/Tab"] = "263"; // kept in 8 bits: 7, which acts as a double-byte space
    read.ReadSettings(file);
    EXPECT_EQ(read.Column, 40);
    EXPECT_EQ(read.Line, 30);
    EXPECT_EQ(read.Tab, 7);
    EXPECT_EQ(read.Arrange(Sjis("あ\tい")), Sjis("あ　い"));
}

TEST(PaperSettings, SetMembershipIsByWholeCharacters)
{
    const std::string set = Sjis("，a") + "\x82"; // ends with a lone lead byte
    EXPECT_TRUE(TPaper::ContainsChar(set, Sjis("，")));
    EXPECT_FALSE(TPaper::ContainsChar(set, ","));
    EXPECT_FALSE(TPaper::ContainsChar(set, "\x43")); // the trail byte of the full-width comma
    EXPECT_TRUE(TPaper::ContainsChar(set, "a"));
    EXPECT_TRUE(TPaper::ContainsChar(set, "\x82"));
    EXPECT_FALSE(TPaper::ContainsChar("", "a"));
}

} // namespace
