// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The writing log's database: sessions and goals round trip, a new log from an empty file, a
// damaged file moved aside, a locked log, and a reader beside a writer.

#include "shell/WritingLog.h"

#include "shell/Exceptions.h"
#include "shell/ScopedVariable.h"
#include "shell/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

namespace {

class WritingLogTest : public ::testing::Test
{
protected:
    WritingLogTest() : FZone("TZ", "UTC0") { ::tzset(); }
    ~WritingLogTest() override { ::tzset(); }

    std::string LogPath() const { return Folder.File("log/writing-log.sqlite3"); }

    static SessionRecord Session(const std::string& path, std::int64_t started,
                                 std::map<std::string, DayTally> days)
    {
        return {path, 0, started, started + 600, 10, 20, std::move(days)};
    }

    TempFolder Folder;

private:
    ScopedVariable FZone;
};

constexpr std::int64_t March1 = 1772323200; // 2026-03-01 00:00 UTC

TEST_F(WritingLogTest, SessionsComeBackDayByDayOverDocumentsOrOne)
{
    const std::string novel = Folder.Write("novel.txt", "");
    const std::string essay = Folder.Write("essay.txt", "");
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    SessionRecord first = Session(novel, March1, {{"2026-03-01", {100, 10, 600}}});
    log.Write(first);
    SessionRecord second =
        Session(essay, March1 + 3600, {{"2026-03-01", {5, 0, 60}}, {"2026-03-02", {7, 1, 120}}});
    log.Write(second);
    EXPECT_NE(first.id, second.id);
    EXPECT_EQ(log.Days(""),
              (std::vector<LogDay>{{"2026-03-01", {105, 10, 660}}, {"2026-03-02", {7, 1, 120}}}));
    EXPECT_EQ(log.Days("", novel), (std::vector<LogDay>{{"2026-03-01", {100, 10, 600}}}));
    EXPECT_EQ(log.Days("2026-03-02"), (std::vector<LogDay>{{"2026-03-02", {7, 1, 120}}}));
    // A document is the same file however its path is written.
    EXPECT_EQ(log.Days("", Folder.Path() + "/./log/../novel.txt").size(), 1u);
    EXPECT_EQ(log.NetOn(essay, "2026-03-01", 0), 5);
    EXPECT_EQ(log.NetOn(essay, "2026-03-01", second.id), 0);
}

TEST_F(WritingLogTest, ASessionWrittenAgainGrowsInsteadOfDoubling)
{
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    SessionRecord session = Session("/novel.txt", March1, {{"2026-03-01", {10, 0, 60}}});
    log.Write(session);
    const std::int64_t id = session.id;
    session.days["2026-03-01"] = {30, 5, 300};
    session.days["2026-03-02"] = {1, 0, 10};
    session.ended = March1 + 90000;
    session.charactersAtEnd = 135;
    log.Write(session);
    EXPECT_EQ(session.id, id);
    EXPECT_EQ(log.Days(""),
              (std::vector<LogDay>{{"2026-03-01", {30, 5, 300}}, {"2026-03-02", {1, 0, 10}}}));
    EXPECT_EQ(log.Totals("/novel.txt"),
              (std::vector<std::pair<std::string, std::int64_t>>{{"2026-03-02", 135}}));
}

TEST_F(WritingLogTest, GoalsAreSetChangedAndRemoved)
{
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    EXPECT_EQ(log.Goal("/novel.txt"), std::nullopt);
    const WritingGoal sheets{GoalUnit::Sheets, 100, 3000, "2026-12-31"};
    log.SetGoal("/novel.txt", sheets);
    EXPECT_EQ(log.Goal("/novel.txt"), sheets);
    const WritingGoal characters{GoalUnit::Characters, 120000, 0, ""};
    log.SetGoal("/novel.txt", characters);
    EXPECT_EQ(log.Goal("/novel.txt"), characters);
    log.SetGoal("/novel.txt", std::nullopt);
    EXPECT_EQ(log.Goal("/novel.txt"), std::nullopt);
}

TEST_F(WritingLogTest, AnEmptyFileBecomesALogOfTheCurrentSchemaInWalMode)
{
    std::filesystem::create_directories(Folder.File("log"));
    Folder.Write("log/writing-log.sqlite3", "");
    EXPECT_EQ(WritingLog::OpenForReading(LogPath()), std::nullopt);
    {
        WritingLog log = WritingLog::OpenForWriting(LogPath());
        SessionRecord session = Session("/a.txt", March1, {{"2026-03-01", {1, 0, 1}}});
        log.Write(session);
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(LogPath().c_str(), &raw), SQLITE_OK);
    const auto pragma = [raw](const char* sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(raw, sql, -1, &statement, nullptr);
        sqlite3_step(statement);
        std::string value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return value;
    };
    EXPECT_EQ(pragma("PRAGMA user_version"), std::to_string(WritingLog::SchemaVersion));
    EXPECT_EQ(pragma("PRAGMA journal_mode"), "wal");
    sqlite3_close(raw);
    // Opened again, it is kept as it is.
    EXPECT_EQ(WritingLog::OpenForWriting(LogPath()).Days("").size(), 1u);
}

TEST_F(WritingLogTest, ADamagedFileIsMovedAsideNeverDeleted)
{
    std::filesystem::create_directories(Folder.File("log"));
    const std::string damaged(8192, 'x');
    Folder.Write("log/writing-log.sqlite3", damaged);
    std::string movedTo;
    WritingLog log = WritingLog::OpenForWriting(LogPath(), &movedTo);
    ASSERT_FALSE(movedTo.empty());
    EXPECT_EQ(TempFolder::Read(movedTo), damaged);
    SessionRecord session = Session("/a.txt", March1, {{"2026-03-01", {1, 0, 1}}});
    log.Write(session);
    EXPECT_EQ(log.Days("").size(), 1u);
}

TEST_F(WritingLogTest, ALockedLogFailsTheWriteAndKeepsWhatItHad)
{
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    SessionRecord kept = Session("/a.txt", March1, {{"2026-03-01", {1, 0, 1}}});
    log.Write(kept);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(LogPath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    SessionRecord blocked = Session("/a.txt", March1, {{"2026-03-02", {5, 0, 1}}});
    EXPECT_THROW(log.Write(blocked), Exception);
    EXPECT_EQ(blocked.id, 0);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    log.Write(blocked);
    EXPECT_EQ(log.Days("").size(), 2u);
}

TEST_F(WritingLogTest, AReaderSeesWhatAWriterStillOpenHasWritten)
{
    WritingLog writer = WritingLog::OpenForWriting(LogPath());
    SessionRecord session = Session("/a.txt", March1, {{"2026-03-01", {1, 0, 1}}});
    writer.Write(session);
    std::optional<WritingLog> reader = WritingLog::OpenForReading(LogPath());
    ASSERT_TRUE(reader.has_value());
    EXPECT_EQ(reader->Days("").size(), 1u);
    session.days["2026-03-02"] = {2, 0, 1};
    writer.Write(session);
    EXPECT_EQ(reader->Days("").size(), 2u);
    EXPECT_THROW(reader->SetGoal("/a.txt", WritingGoal{}), Exception);
}

TEST_F(WritingLogTest, NoLogIsNothingToRead)
{
    EXPECT_EQ(WritingLog::OpenForReading(LogPath()), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(WritingLogTest, ALogFolderThatCannotBeMadeIsAnError)
{
    Folder.Write("file", "");
    EXPECT_THROW(WritingLog::OpenForWriting(Folder.File("file/writing-log.sqlite3")), Exception);
}

} // namespace
