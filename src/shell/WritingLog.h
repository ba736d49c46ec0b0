// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The writing log: a small database of the writer's sessions and goals, shared by the window,
// which writes it, and kotonami-count --log, which reads it, even while a window writes.
// $XDG_DATA_HOME/kotonami/writing-log.sqlite3 (~/.local/share when unset), in WAL mode, its
// schema numbered by PRAGMA user_version and brought up to date step by step when opened.

#include "WritingSession.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

// One session of one document as it is written to the log: again under the same id each time
// it grows, so that a session written every few minutes stays one session.
struct SessionRecord
{
    std::string path;    // the document's file
    std::int64_t id = 0; // 0 until first written
    std::int64_t started = 0;
    std::int64_t ended = 0;
    std::int64_t charactersAtStart = 0;
    std::int64_t charactersAtEnd = 0;
    std::map<std::string, DayTally> days;
};

// One day of the log, over every document or one.
struct LogDay
{
    std::string day; // YYYY-MM-DD, local
    DayTally tally;
    bool operator==(const LogDay&) const = default;
};

enum class GoalUnit
{
    Characters,
    Sheets // manuscript sheets of the formatted count
};

struct WritingGoal
{
    GoalUnit unit = GoalUnit::Characters;
    std::int64_t target = 0; // in `unit`
    std::int64_t daily = 0;  // characters a day; 0: none
    std::string deadline;    // YYYY-MM-DD; empty: none
    bool operator==(const WritingGoal&) const = default;
};

class WritingLog
{
public:
    static constexpr int SchemaVersion = 1;

    // $XDG_DATA_HOME/kotonami/writing-log.sqlite3.
    static std::string DefaultPath();

    // Opens the log for writing, made with its folder when missing. A file that is no database,
    // or a damaged one, is moved aside (renamed, never deleted) and a new log begun; `movedTo`
    // then names where it went. Throws Exception when the log cannot be opened or brought up to
    // date (locked, unwritable, a newer schema); its message leaves the path to the caller.
    static WritingLog OpenForWriting(const std::string& path, std::string* movedTo = nullptr);
    // Opens the log for reading only; nothing when there is no log. Throws Exception as above.
    static std::optional<WritingLog> OpenForReading(const std::string& path);

    WritingLog(WritingLog&&) noexcept;
    WritingLog& operator=(WritingLog&&) noexcept;
    ~WritingLog();

    // Writes the session (its days added or replaced) in one transaction; gives it its id.
    void Write(SessionRecord& session);
    // The days from `firstDay` on (empty: all), oldest first, of every document or of `path`.
    std::vector<LogDay> Days(const std::string& firstDay, const std::string& path = {}) const;
    // Net characters written into `path` on `day`, without the session `exceptSession`.
    std::int64_t NetOn(const std::string& path, const std::string& day,
                       std::int64_t exceptSession) const;
    // The document's characters at the end of each day it was written on, oldest first.
    std::vector<std::pair<std::string, std::int64_t>> Totals(const std::string& path) const;

    std::optional<WritingGoal> Goal(const std::string& path) const;
    // Sets or (nothing) removes the document's goal.
    void SetGoal(const std::string& path, const std::optional<WritingGoal>& goal);

private:
    explicit WritingLog(sqlite3* database) noexcept;
    std::int64_t DocumentId(const std::string& path);
    void Migrate();

    sqlite3* FDatabase;
};
