// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritingLog.h"

#include "Exceptions.h"
#include "SqliteStatement.h"
#include "UsefulFunc.h"

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// A writer waits this long for another window's write to finish before the write is given up.
constexpr int BusyMilliseconds = 250;

// Each step brings the schema from its index to the next version.
constexpr std::array<const char*, WritingLog::SchemaVersion> SchemaSteps = {
    R"(CREATE TABLE documents(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE);
CREATE TABLE sessions(id INTEGER PRIMARY KEY, document INTEGER NOT NULL REFERENCES documents(id),
    started INTEGER NOT NULL, ended INTEGER NOT NULL,
    characters_start INTEGER NOT NULL, characters_end INTEGER NOT NULL);
CREATE INDEX sessions_by_document ON sessions(document, ended);
CREATE TABLE session_days(session INTEGER NOT NULL REFERENCES sessions(id), day TEXT NOT NULL,
    added INTEGER NOT NULL, removed INTEGER NOT NULL, active_seconds INTEGER NOT NULL,
    PRIMARY KEY(session, day)) WITHOUT ROWID;
CREATE INDEX session_days_by_day ON session_days(day);
CREATE TABLE goals(document INTEGER PRIMARY KEY REFERENCES documents(id), unit TEXT NOT NULL,
    target INTEGER NOT NULL, daily INTEGER NOT NULL, deadline TEXT NOT NULL);)",
};

// A document is known by its file's full path, however it was named.
std::string DocumentKey(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, ignored);
    return full.empty() ? path : full.string();
}

// A failed open still gives a handle, which must be closed.
struct Handle
{
    sqlite3* database = nullptr;
    ~Handle() { sqlite3_close_v2(database); }
    sqlite3* Release() { return std::exchange(database, nullptr); }
};

enum class Health
{
    Good,
    Damaged, // no database, or a damaged one
};

// Reads every page once; a locked log or a failing disk throws.
Health CheckHealth(sqlite3* database)
{
    sqlite3_stmt* check = nullptr;
    int result = sqlite3_prepare_v2(database, "PRAGMA quick_check", -1, &check, nullptr);
    bool ok = false;
    if (result == SQLITE_OK) {
        result = sqlite3_step(check);
        ok = result == SQLITE_ROW &&
             std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    }
    sqlite3_finalize(check);
    const int primary = result & 0xff;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || (result == SQLITE_ROW && !ok))
        return Health::Damaged;
    if (result != SQLITE_ROW)
        throw Exception(SqliteError(database));
    return Health::Good;
}

// Renames the log and its companion files to a free name beside it; gives that name.
std::string MoveAside(const std::string& path)
{
    for (int attempt = 1;; ++attempt) {
        const std::string aside = path + ".damaged-" + std::to_string(attempt);
        std::error_code error;
        if (std::filesystem::exists(aside, error))
            continue;
        std::filesystem::rename(path, aside, error);
        if (error)
            throw Exception("damaged, and it cannot be moved aside: " + error.message());
        for (const char* part : {"-wal", "-shm"}) {
            std::error_code ignored;
            if (std::filesystem::exists(path + part, ignored))
                std::filesystem::rename(path + part, aside + part, ignored);
        }
        return aside;
    }
}

sqlite3* OpenFile(const std::string& path, int flags)
{
    Handle handle;
    if (sqlite3_open_v2(path.c_str(), &handle.database, flags, nullptr) != SQLITE_OK)
        throw Exception(SqliteError(handle.database));
    sqlite3_busy_timeout(handle.database, BusyMilliseconds);
    sqlite3_extended_result_codes(handle.database, 1);
    return handle.Release();
}

// The file as an SQLite URI that opens it immutable: never written, no lock and no shared
// memory; its path percent-encoded where a URI would read the character otherwise.
std::string ImmutableUri(const std::string& path)
{
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// Everything between its making and Commit, or nothing.
class Transaction
{
public:
    explicit Transaction(sqlite3* database) : FDatabase(database)
    {
        SqliteRun(database, "BEGIN IMMEDIATE");
    }
    ~Transaction()
    {
        if (FDatabase != nullptr)
            sqlite3_exec(FDatabase, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void Commit()
    {
        SqliteRun(FDatabase, "COMMIT");
        FDatabase = nullptr;
    }

private:
    sqlite3* FDatabase;
};

std::int64_t UserVersion(sqlite3* database)
{
    SqliteStatement version(database, "PRAGMA user_version");
    return version.Step() ? version.Integer(0) : 0;
}

} // namespace

std::string WritingLog::DefaultPath()
{
    return UsefulFunc::XdgFolder("XDG_DATA_HOME", ".local/share") + "/kotonami/writing-log.sqlite3";
}

WritingLog WritingLog::OpenForWriting(const std::string& path, std::string* movedTo)
{
    UsefulFunc::MakeFolders(std::filesystem::path(path).parent_path().string(), 0700);
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    WritingLog log(OpenFile(path, flags));
    if (CheckHealth(log.FDatabase) == Health::Damaged) {
        sqlite3_close_v2(std::exchange(log.FDatabase, nullptr));
        const std::string aside = MoveAside(path);
        if (movedTo != nullptr)
            *movedTo = aside;
        log.FDatabase = OpenFile(path, flags);
    }
    SqliteStatement wal(log.FDatabase, "PRAGMA journal_mode=WAL");
    wal.Run();
    // In WAL mode a power cut may lose the last session written, never the log.
    SqliteRun(log.FDatabase, "PRAGMA synchronous=NORMAL");
    log.Migrate();
    return log;
}

std::optional<WritingLog> WritingLog::OpenForReading(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    WritingLog log(OpenFile(path, SQLITE_OPEN_READONLY));
    std::int64_t version = 0;
    try {
        version = UserVersion(log.FDatabase);
    } catch (const Exception&) {
        // A log in WAL mode whose shared-memory file is missing from a folder where it cannot be
        // made: read as it stands in the file itself, which SQLite allows of an immutable file.
        sqlite3_close_v2(std::exchange(log.FDatabase, nullptr));
        log.FDatabase = OpenFile(ImmutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        version = UserVersion(log.FDatabase);
    }
    if (version == 0)
        return std::nullopt;
    if (version > SchemaVersion)
        throw Exception("written by a newer Kotonami");
    return log;
}

WritingLog::WritingLog(sqlite3* database) noexcept : FDatabase(database) {}

WritingLog::WritingLog(WritingLog&& other) noexcept
    : FDatabase(std::exchange(other.FDatabase, nullptr))
{
}

WritingLog& WritingLog::operator=(WritingLog&& other) noexcept
{
    std::swap(FDatabase, other.FDatabase);
    return *this;
}

WritingLog::~WritingLog()
{
    sqlite3_close_v2(FDatabase);
}

void WritingLog::Migrate()
{
    Transaction transaction(FDatabase);
    const std::int64_t version = UserVersion(FDatabase);
    if (version > SchemaVersion)
        throw Exception("written by a newer Kotonami");
    if (version == SchemaVersion)
        return;
    for (std::int64_t step = version; step < SchemaVersion; ++step)
        SqliteRun(FDatabase, SchemaSteps[static_cast<std::size_t>(step)]);
    SqliteRun(FDatabase, ("PRAGMA user_version = " + std::to_string(SchemaVersion)).c_str());
    transaction.Commit();
}

std::int64_t WritingLog::DocumentId(const std::string& path)
{
    SqliteStatement(FDatabase, "INSERT OR IGNORE INTO documents(path) VALUES(?)").Bind(path).Run();
    SqliteStatement find(FDatabase, "SELECT id FROM documents WHERE path = ?");
    find.Bind(path);
    if (!find.Step())
        throw Exception("the writing log lost a document");
    return find.Integer(0);
}

void WritingLog::Write(SessionRecord& session)
{
    Transaction transaction(FDatabase);
    const std::int64_t document = DocumentId(DocumentKey(session.path));
    bool known = false;
    if (session.id != 0) {
        // A document saved under another name takes its session along.
        SqliteStatement(FDatabase, "UPDATE sessions SET document = ?, ended = ?, "
                                   "characters_end = ? WHERE id = ?")
            .Bind(document)
            .Bind(session.ended)
            .Bind(session.charactersAtEnd)
            .Bind(session.id)
            .Run();
        known = sqlite3_changes(FDatabase) > 0;
    }
    if (!known) {
        SqliteStatement(FDatabase, "INSERT INTO sessions(document, started, ended, "
                                   "characters_start, characters_end) VALUES(?, ?, ?, ?, ?)")
            .Bind(document)
            .Bind(session.started)
            .Bind(session.ended)
            .Bind(session.charactersAtStart)
            .Bind(session.charactersAtEnd)
            .Run();
        session.id = sqlite3_last_insert_rowid(FDatabase);
    }
    for (const auto& [day, tally] : session.days) {
        SqliteStatement(FDatabase,
                        "INSERT INTO session_days VALUES(?, ?, ?, ?, ?) ON CONFLICT(session, day) "
                        "DO UPDATE SET added = excluded.added, removed = excluded.removed, "
                        "active_seconds = excluded.active_seconds")
            .Bind(session.id)
            .Bind(day)
            .Bind(tally.added)
            .Bind(tally.removed)
            .Bind(tally.activeSeconds)
            .Run();
    }
    transaction.Commit();
}

std::vector<LogDay> WritingLog::Days(const std::string& firstDay, const std::string& path) const
{
    SqliteStatement days(FDatabase,
                         "SELECT d.day, SUM(d.added), SUM(d.removed), SUM(d.active_seconds) "
                         "FROM session_days d JOIN sessions s ON s.id = d.session "
                         "JOIN documents f ON f.id = s.document "
                         "WHERE d.day >= ?1 AND (?2 = '' OR f.path = ?2) "
                         "GROUP BY d.day ORDER BY d.day");
    days.Bind(firstDay).Bind(DocumentKey(path));
    std::vector<LogDay> found;
    while (days.Step())
        found.push_back({days.Text(0), {days.Integer(1), days.Integer(2), days.Integer(3)}});
    return found;
}

std::int64_t WritingLog::NetOn(const std::string& path, const std::string& day,
                               std::int64_t exceptSession) const
{
    SqliteStatement net(FDatabase, "SELECT COALESCE(SUM(d.added - d.removed), 0) "
                                   "FROM session_days d JOIN sessions s ON s.id = d.session "
                                   "JOIN documents f ON f.id = s.document "
                                   "WHERE f.path = ? AND d.day = ? AND d.session <> ?");
    net.Bind(DocumentKey(path)).Bind(day).Bind(exceptSession);
    return net.Step() ? net.Integer(0) : 0;
}

std::vector<std::pair<std::string, std::int64_t>> WritingLog::Totals(const std::string& path) const
{
    SqliteStatement sessions(FDatabase, "SELECT s.ended, s.characters_end FROM sessions s "
                                        "JOIN documents f ON f.id = s.document "
                                        "WHERE f.path = ? ORDER BY s.ended, s.id");
    sessions.Bind(DocumentKey(path));
    std::vector<std::pair<std::string, std::int64_t>> totals;
    while (sessions.Step()) {
        std::string day = LocalDay(sessions.Integer(0));
        if (!totals.empty() && totals.back().first == day)
            totals.back().second = sessions.Integer(1);
        else
            totals.emplace_back(std::move(day), sessions.Integer(1));
    }
    return totals;
}

std::optional<WritingGoal> WritingLog::Goal(const std::string& path) const
{
    SqliteStatement goal(FDatabase, "SELECT g.unit, g.target, g.daily, g.deadline FROM goals g "
                                    "JOIN documents f ON f.id = g.document WHERE f.path = ?");
    goal.Bind(DocumentKey(path));
    if (!goal.Step())
        return std::nullopt;
    return WritingGoal{goal.Text(0) == "sheets" ? GoalUnit::Sheets : GoalUnit::Characters,
                       goal.Integer(1), goal.Integer(2), goal.Text(3)};
}

void WritingLog::SetGoal(const std::string& path, const std::optional<WritingGoal>& goal)
{
    Transaction transaction(FDatabase);
    const std::int64_t document = DocumentId(DocumentKey(path));
    if (!goal) {
        SqliteStatement(FDatabase, "DELETE FROM goals WHERE document = ?").Bind(document).Run();
    } else {
        SqliteStatement(FDatabase, "INSERT OR REPLACE INTO goals VALUES(?, ?, ?, ?, ?)")
            .Bind(document)
            .Bind(std::string(goal->unit == GoalUnit::Sheets ? "sheets" : "characters"))
            .Bind(goal->target)
            .Bind(goal->daily)
            .Bind(goal->deadline)
            .Run();
    }
    transaction.Commit();
}
