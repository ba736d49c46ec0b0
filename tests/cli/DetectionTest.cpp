// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The companion reads a writer's Shift-JIS files of half-width katakana as Shift-JIS: what it
// prints of them is what it prints when told that they are Shift-JIS.

#include "../documents/JapanesePhrases.h"
#include "CliRunner.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

TEST(CountCompanion, HalfWidthKatakanaFilesPrintAsShiftJis)
{
    TempFolder folder;
    std::vector<std::string> files;
    int n = 0;
    using Table = std::span<const char8_t* const>;
    for (const Table table : {Table(HalfWidthWords), Table(HalfWidthPhrases)})
        for (const char8_t* text : table)
            files.push_back(
                folder.Write("text" + std::to_string(n++) + ".txt", Sjis(std::u8string(text))));
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--raw", "--full-kana"}, std::vector<std::string>{"--stats"}}) {
        std::vector<std::string> detected = options;
        detected.insert(detected.end(), files.begin(), files.end());
        std::vector<std::string> given = options;
        given.insert(given.end(), {"--input-encoding", "sjis"});
        given.insert(given.end(), files.begin(), files.end());
        const CliResult auto_ = RunCli(folder, detected);
        const CliResult sjis = RunCli(folder, given);
        EXPECT_EQ(auto_.status, 0) << auto_.err;
        EXPECT_EQ(auto_.out, sjis.out) << options[0];
        EXPECT_EQ(auto_.err, sjis.err) << options[0];
    }
}
