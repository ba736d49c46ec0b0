// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

TEST(ArgumentSplitting, FollowsTheQuotingRules)
{
    struct Row
    {
        const char* name;
        std::string argumentString;
        Items expected;
    };
    const std::vector<Row> rows = {
        {"nothing", "", {}},
        {"only blanks", " \t ", {}},
        {"blank-separated", "a.txt b.txt", {"a.txt", "b.txt"}},
        {"comma-separated", "a.txt,b.txt", {"a.txt", "b.txt"}},
        {"comma with blanks around", "a.txt , b.txt", {"a.txt", "b.txt"}},
        {"two commas give an empty item", "a,,b", {"a", "", "b"}},
        {"final comma gives nothing more", "a,", {"a"}},
        {"quoted item keeps blanks and commas",
         "\"my novel, part 1.txt\" b",
         {"my novel, part 1.txt", "b"}},
        {"doubled quote is one quote", "\"say \"\"hi\"\".txt\"", {"say \"hi\".txt"}},
        {"empty quoted item", "\"\" x", {"", "x"}},
        {"item right after a closing quote is new", "\"a\"b", {"a", "b"}},
        {"missing closing quote runs to the end", "\"a b", {"a b"}},
        {"quote inside a plain item is kept", "a\"b", {"a\"b"}},
        {"control bytes separate",
         "a\x01"
         "b\x1F"
         "c",
         {"a", "b", "c"}},
        {"double-byte path", "\"/tmp/\x83\x5C.txt\"", {"/tmp/\x83\x5C.txt"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SplitArguments(row.argumentString), row.expected) << row.name;
}

TEST(ArgumentSplitting, EveryArgvElementIsOneItem)
{
    const std::vector<Items> argvs = {
        {},
        {""},
        {"", ""},
        {"plain.txt"},
        {"with blank.txt", "with,comma.txt"},
        {"\"", "\"\"", "a\"", "\"a"},
        {" leading", "trailing ", "\ttab"},
        {",", ",,", "a,"},
        {"/home/writer/\xE5\xB0\x8F\xE8\xAA\xAC.txt"},
        {std::string(5000, 'x'), "after a long path"},
    };
    for (const Items& argv : argvs)
        EXPECT_EQ(SplitArguments(MakeArgumentString(argv)), argv) << MakeArgumentString(argv);
}

TEST(ArgumentSplitting, ArgumentStringQuotesEveryElement)
{
    EXPECT_EQ(MakeArgumentString({"a", "b c", "d\"e"}), "\"a\" \"b c\" \"d\"\"e\"");
}

} // namespace
