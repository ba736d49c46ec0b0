// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteStatement.h"

#include "Exceptions.h"

#include <sqlite3.h>

std::string SqliteError(sqlite3* database)
{
    return database != nullptr ? sqlite3_errmsg(database) : "out of memory";
}

void SqliteRun(sqlite3* database, const char* sql)
{
    if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw Exception(SqliteError(database));
}

SqliteStatement::SqliteStatement(sqlite3* database, std::string_view sql) : FDatabase(database)
{
    if (sqlite3_prepare_v2(database, sql.data(), static_cast<int>(sql.size()), &FStatement,
                           nullptr) != SQLITE_OK)
        throw Exception(SqliteError(database));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(FStatement);
}

SqliteStatement& SqliteStatement::Bind(std::int64_t value)
{
    if (sqlite3_bind_int64(FStatement, FNextParameter++, value) != SQLITE_OK)
        throw Exception(SqliteError(FDatabase));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(const std::string& value)
{
    if (sqlite3_bind_text(FStatement, FNextParameter++, value.data(),
                          static_cast<int>(value.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        throw Exception(SqliteError(FDatabase));
    return *this;
}

bool SqliteStatement::Step()
{
    const int result = sqlite3_step(FStatement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    throw Exception(SqliteError(FDatabase));
}

void SqliteStatement::Run()
{
    while (Step()) {
    }
}

std::int64_t SqliteStatement::Integer(int column) const
{
    return sqlite3_column_int64(FStatement, column);
}

std::string SqliteStatement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStatement, column));
    return text != nullptr
               ? std::string(text,
                             static_cast<std::size_t>(sqlite3_column_bytes(FStatement, column)))
               : std::string();
}
