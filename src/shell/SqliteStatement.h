// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One prepared statement of the system's SQLite, finalised on every path; every step checked.
// A failure throws Exception with SQLite's own message.

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement
{
public:
    SqliteStatement(sqlite3* database, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds the parameters from 1 on, in order.
    SqliteStatement& Bind(std::int64_t value);
    SqliteStatement& Bind(const std::string& value);
    // The next row: true while there is one.
    bool Step();
    // Runs a statement that gives no rows.
    void Run();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;

private:
    sqlite3* FDatabase;
    sqlite3_stmt* FStatement = nullptr;
    int FNextParameter = 1;
};

// Runs statements that take no parameters and give no rows; throws as above.
void SqliteRun(sqlite3* database, const char* sql);
// What SQLite said about the last failure on `database`.
std::string SqliteError(sqlite3* database);
