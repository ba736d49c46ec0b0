// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/WordCharacterSet.h"
#include "analysis/SettingsStore.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The settings file in memory: every value kept as its text.
class MemoryIniFile : public SettingsStore
{
public:
    std::map<std::string, std::string> values; // "Section/Key" -> value

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) override
    {
        const auto found = values.find(Key(section, key));
        return found == values.end() ? std::string(defaultValue) : found->second;
    }
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override
    {
        values[Key(section, key)] = std::string(value);
    }
    std::string ReadShiftJisString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) override
    {
        return ReadString(section, key, defaultValue);
    }
    void WriteShiftJisString(std::string_view section, std::string_view key,
                             std::string_view value) override
    {
        WriteString(section, key, value);
    }
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) override
    {
        return std::stoi(ReadString(section, key, std::to_string(defaultValue)));
    }
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) override
    {
        WriteString(section, key, std::to_string(value));
    }
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) override
    {
        return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
    }
    void WriteBool(std::string_view section, std::string_view key, bool value) override
    {
        WriteString(section, key, value ? "1" : "0");
    }

private:
    static std::string Key(std::string_view section, std::string_view key)
    {
        return std::string(section) + "/" + std::string(key);
    }
};

TEST(WordCharacterSet, CleansTheListOfBlanksTabsAndHyphens)
{
    struct Row
    {
        const char* fact;
        std::string entered;
        std::string kept;
        bool removed;
    };
    const std::vector<Row> rows = {
        {"blank and hyphen go", "a b-c", "abc", true},
        {"a lone double-byte blank leaves nothing", "\x81\x40", "", true},
        {"harmless characters stay", "'#", "'#", false},
        {"tabs go", "@\t'", "@'", true},
        {"an empty list is fine", "", "", false},
        {"a trail byte 0x40 is not half of a blank", "\x82\x81\x40", "\x82\x81\x40", false},
        {"a trail byte '-' is not a hyphen", "\x83-", "\x83-", false},
        {"a blank after a character ending 0x81 still goes", "\x83\x81\x81\x40", "\x83\x81", true},
    };
    for (const Row& row : rows) {
        WordCharacterSet set;
        EXPECT_EQ(set.SetCharacterList(row.entered), row.removed) << row.fact;
        EXPECT_EQ(set.GetCharacterList(), row.kept) << row.fact;
    }
}

TEST(WordCharacterSet, DecidesWordCharacters)
{
    WordCharacterSet set;
    EXPECT_EQ(set.GetCharacterList(), "@'");
    EXPECT_TRUE(set.IsWordCharacter('a'));
    EXPECT_TRUE(set.IsWordCharacter('Z'));
    EXPECT_TRUE(set.IsWordCharacter('5'));
    EXPECT_TRUE(set.IsWordCharacter('@'));
    EXPECT_FALSE(set.IsWordCharacter('-'));
    EXPECT_FALSE(set.IsWordCharacter(0x8281)); // full-width a
    set.countDigits = false;
    EXPECT_FALSE(set.IsWordCharacter('5'));
    set.SetCharacterList("5\x82\x81");
    EXPECT_TRUE(set.IsWordCharacter('5'));
    EXPECT_TRUE(set.IsWordCharacter(0x8281));
    EXPECT_FALSE(set.IsWordCharacter('@'));
}

TEST(WordCharacterSet, RemovalMessageIsTheWritersText)
{
    EXPECT_STREQ(WordCharacterSet::RemovalCaption, "情報");
    EXPECT_STREQ(WordCharacterSet::RemovalMessage,
                 "半角・全角のスペース, タブ, ハイフン(-) は英単語として数えられないため、\r\n"
                 "「英単語と考える文字リスト」から削除されました。");
}

TEST(WordSettings, ReadAndWriteSectionWord)
{
    struct Row
    {
        const char* fact;
        std::map<std::string, std::string> stored;
        bool digits;
        std::string list;
        bool removed;
    };
    const std::vector<Row> rows = {
        {"missing section gives the defaults", {}, true, "@'", false},
        {"Number 0 switches digits off", {{"Word/Number", "0"}}, false, "@'", false},
        {"a stored list", {{"Word/CharList", "#"}}, true, "#", false},
        {"a stored TAB is removed and reported", {{"Word/CharList", "#\t"}}, true, "#", true},
    };
    for (const Row& row : rows) {
        MemoryIniFile file;
        file.values = row.stored;
        WordCharacterSet set;
        EXPECT_EQ(ReadWordSettings(set, file), row.removed) << row.fact;
        EXPECT_EQ(set.countDigits, row.digits) << row.fact;
        EXPECT_EQ(set.GetCharacterList(), row.list) << row.fact;

        MemoryIniFile saved;
        WriteWordSettings(set, saved);
        EXPECT_EQ(saved.values["Word/Number"], row.digits ? "1" : "0") << row.fact;
        EXPECT_EQ(saved.values["Word/CharList"], row.list) << row.fact;
    }
}

} // namespace
