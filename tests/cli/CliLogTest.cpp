// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// kotonami-count --log: the window's writing log, day by day, as a script reads it.

#include "CliRunner.h"

#include "cli/CliOptions.h"
#include "shell/ScopedVariable.h"
#include "shell/WritingLog.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

class CliLogTest : public ::testing::Test
{
protected:
    CliLogTest() : FData("XDG_DATA_HOME", Folder.Path()) {}

    // Sessions of today and of long ago, in two documents.
    void WriteLog(const std::string& novel, const std::string& essay)
    {
        const std::int64_t now = std::time(nullptr);
        WritingLog log = WritingLog::OpenForWriting(WritingLog::DefaultPath());
        SessionRecord old{novel, 0, 0, 0, 0, 0, {{"2001-01-01", {50, 20, 600}}}};
        log.Write(old);
        SessionRecord today{novel, 0, now, now, 0, 0, {{LocalDay(now), {300, 40, 1799}}}};
        log.Write(today);
        SessionRecord other{essay, 0, now, now, 0, 0, {{LocalDay(now), {10, 0, 60}}}};
        log.Write(other);
        // Written while the clock stood years ahead.
        SessionRecord ahead{essay, 0, now, now, 0, 0, {{"2999-12-31", {7, 0, 60}}}};
        log.Write(ahead);
        Today = LocalDay(now);
    }

    TempFolder Folder;
    std::string Today;

private:
    ScopedVariable FData;
};

TEST_F(CliLogTest, NoLogPrintsNothingAndSucceeds)
{
    const CliResult result = RunCli(Folder, {"--log"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliLogTest, DaysOfEveryDocumentOrOneOldestFirst)
{
    const std::string novel = Folder.Write("novel.txt", "");
    const std::string essay = Folder.Write("essay.txt", "");
    WriteLog(novel, essay);
    struct Row
    {
        std::vector<std::string> arguments;
        std::string out;
    };
    const std::vector<Row> rows = {
        {{"--log"},
         "2001-01-01\t50\t20\t30\t10\n" + Today + "\t310\t40\t270\t31\n2999-12-31\t7\t0\t7\t1\n"},
        {{"--log", novel}, "2001-01-01\t50\t20\t30\t10\n" + Today + "\t300\t40\t260\t30\n"},
        {{"--log", "--days", "1", essay}, Today + "\t10\t0\t10\t1\n"}, // none after today
        {{"--days", "30", "--log"}, Today + "\t310\t40\t270\t31\n"},
        {{"--log", Folder.File("unlogged.txt")}, ""},
    };
    for (const Row& row : rows) {
        const CliResult result = RunCli(Folder, row.arguments);
        EXPECT_EQ(result.status, 0) << row.arguments.back();
        EXPECT_EQ(result.out, row.out) << row.arguments.back();
    }
}

// A log in WAL mode whose shared-memory file cannot be made (a folder the reader cannot write;
// here that name is taken by a folder, which no user can open as a file) is read as it stands.
TEST_F(CliLogTest, ALogWhoseSharedMemoryCannotBeMadeIsStillRead)
{
    const std::string novel = Folder.Write("novel.txt", "");
    const std::string essay = Folder.Write("essay.txt", "");
    WriteLog(novel, essay);
    const std::string path = WritingLog::DefaultPath();
    std::filesystem::remove(path + "-shm");
    std::filesystem::remove(path + "-wal");
    std::filesystem::create_directory(path + "-shm");
    const CliResult result = RunCli(Folder, {"--log", novel});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2001-01-01\t50\t20\t30\t10\n" + Today + "\t300\t40\t260\t30\n");
}

TEST_F(CliLogTest, AnUnreadableLogIsNamedWithStatusOne)
{
    const std::string path = WritingLog::DefaultPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Folder.Write("kotonami/writing-log.sqlite3", std::string(4096, 'x'));
    const CliResult result = RunCli(Folder, {"--log"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("writing-log.sqlite3"), std::string::npos) << result.err;
    // The reader never moves a damaged log aside: that is left to the window.
    EXPECT_EQ(TempFolder::Read(path), std::string(4096, 'x'));
}

TEST(CliLogOptions, WhatGoesWithLogAndWhatDoesNot)
{
    EXPECT_TRUE(ParseCliOptions({"--log"}).analyses.empty());
    EXPECT_EQ(ParseCliOptions({"--log", "--days", "7"}).logDays, 7);
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--log", "--stats"},
                                               {"--log", "a.txt", "b.txt"},
                                               {"--days", "7"},
                                               {"--log", "--days", "0"},
                                               {"--log", "--days"}})
        EXPECT_THROW(ParseCliOptions(wrong), UsageError) << wrong.back();
    // A number beyond any count of days is said to be too large, not to be no number.
    for (const char* large : {"2147483648", "99999999999999999999"}) {
        try {
            ParseCliOptions({"--log", "--days", large});
            ADD_FAILURE() << large;
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(ParseCliOptions({"--log", "--days", "2147483647"}).logDays, 2147483647);
}

} // namespace
