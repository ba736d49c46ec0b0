// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Input without end or beyond memory: a text ends at its first NUL, so reading stops there; a file
// that does not fit is named in a message with status 1, never an abort.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(EndlessInput, StopsAtTheFirstNulOrSaysTheFileDoesNotFit)
{
    TempFolder folder;
    const std::string big = folder.Write("big.txt", std::string(64 << 20, 'a'));
    struct Row
    {
        const char* name;
        std::vector<std::string> command;
        int status;
        std::string out; // the start of standard output
        std::string err; // found in standard error
    };
    std::vector<Row> rows = {
        {"the companion on /dev/zero", {KOTONAMI_COUNT_PATH, "/dev/zero"}, 0, "文字数 : 0\n", ""},
        {"as UTF-16",
         {KOTONAMI_COUNT_PATH, "--input-encoding", "utf-16", "/dev/zero"},
         0,
         "文字数 : 0\n",
         ""},
        {"standard input of zeros", {KOTONAMI_COUNT_PATH, "-"}, 0, "文字数 : 0\n", ""},
        {"a file larger than the memory allowed",
         {"/usr/bin/prlimit", "--as=50000000", KOTONAMI_COUNT_PATH, big},
         1,
         "",
         "big.txt"},
    };
#ifdef __SANITIZE_ADDRESS__
    // The address sanitizer reserves far more address space than the limit allows.
    rows.pop_back();
#endif
    for (const Row& row : rows) {
        const std::vector<std::string> arguments(row.command.begin() + 1, row.command.end());
        const CliResult result =
            RunProgram(row.command.front().c_str(), folder, arguments, std::string(1 << 20, '\0'));
        EXPECT_EQ(result.status, row.status) << row.name << "\n" << result.err;
        EXPECT_TRUE(result.out.starts_with(row.out)) << row.name;
        EXPECT_NE(result.err.find(row.err), std::string::npos) << row.name << "\n" << result.err;
    }
}

} // namespace
