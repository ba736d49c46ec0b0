// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Output that the system refuses: every failed write of the companion gives a message and status 1.

#include "CliRunner.h"

#include "../ShiftJisText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Writing, EveryRefusedOutputIsTold)
{
    TempFolder folder;
    const std::string small = folder.Write("small.txt", Sjis("テスト\r\n"));
    // Output that fills most of the C library's buffer: the failed write is the only sign.
    const std::string kana = folder.Write("kana.txt", std::string(1046, '\xB1'));
    struct Row
    {
        const char* name;
        std::vector<std::string> arguments;
    };
    const std::vector<Row> rows = {
        {"4,095 bytes to a full disk", {"--raw", "--full-kana", kana}},
        {"a short report to a full disk", {"--stats", small}},
        {"the help to a full disk", {"--help"}},
    };
    for (const Row& row : rows) {
        const CliResult result =
            RunProgram(KOTONAMI_COUNT_PATH, folder, row.arguments, "", "/dev/full");
        EXPECT_EQ(result.status, 1) << row.name;
        EXPECT_FALSE(result.err.empty()) << row.name;
    }
}

} // namespace
