// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// A --phrase or --word-chars text as the terminal's locale hands it over, and the Shift-JIS bytes
// the engine searches for.
TEST(CommandLineTextEncoding, FollowsTheLocale)
{
    struct Row
    {
        const char* what;
        std::string text;
        const char* codeset;
        std::optional<std::string> shiftJis; // nothing: the text cannot be used
    };
    const std::vector<Row> rows = {
        {"hiragana a in a UTF-8 locale", "\xE3\x81\x82", "UTF-8", "\x82\xA0"},
        {"hiragana a in a Shift-JIS locale is taken as it is", "\x82\xA0", "SHIFT_JIS", "\x82\xA0"},
        {"hiragana a in an EUC-JP locale", "\xA4\xA2", "EUC-JP", "\x82\xA0"},
        {"half-width katakana a in an EUC-JP locale", "\x8E\xB1", "EUC-JP", "\xB1"},
        {"plain letters in the C locale", "abc", "ANSI_X3.4-1968", "abc"},
        {"UTF-8 typed in the C locale is still understood", "\xE3\x81\x82", "ANSI_X3.4-1968",
         "\x82\xA0"},
        {"an emoji has no Shift-JIS form", "\xF0\x9F\x98\x80", "UTF-8", std::nullopt},
        {"bytes that are not EUC-JP", "\xA4", "EUC-JP", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LocaleTextToShiftJis(row.text, row.codeset), row.shiftJis) << row.what;
}

} // namespace
