// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritingSession.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

std::tm LocalTime(std::int64_t at)
{
    const std::time_t time = static_cast<std::time_t>(at);
    std::tm local{};
    ::localtime_r(&time, &local);
    return local;
}

std::string DayText(const std::tm& local)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

// The first moment of the local day `days` days after the one of `at`; a day of a clock change
// is as long as the clock makes it.
std::int64_t Midnight(std::int64_t at, int days)
{
    std::tm local = LocalTime(at);
    local.tm_mday += days;
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

} // namespace

std::string LocalDay(std::int64_t at)
{
    return DayText(LocalTime(at));
}

std::string LocalDayBefore(std::int64_t at, int days)
{
    std::tm local = LocalTime(at);
    local.tm_mday -= days;
    local.tm_hour = 12; // clear of any clock change
    local.tm_isdst = -1;
    std::mktime(&local);
    return DayText(local);
}

WritingSession::WritingSession(std::int64_t started, std::int64_t charactersAtStart) noexcept
    : FStarted(started), FCharactersAtStart(charactersAtStart), FCountedTo(started)
{
}

WritingSession::WritingSession(std::int64_t started, std::int64_t charactersAtStart,
                               std::map<std::string, DayTally> days)
    : FStarted(started), FCharactersAtStart(charactersAtStart), FCountedTo(started),
      FDays(std::move(days))
{
}

// Asked at every key: the day in hand answers without asking the clock's rules again.
const std::string& WritingSession::DayOf(std::int64_t at)
{
    if (at < FDayFrom || at >= FDayTo) {
        FDayName = LocalDay(at);
        FDayFrom = std::min(at, Midnight(at, 0));
        const std::int64_t next = Midnight(at, 1);
        FDayTo = next > at ? next : at + 24 * 60 * 60;
    }
    return FDayName;
}

void WritingSession::Edit(std::int64_t at, std::int64_t added, std::int64_t removed)
{
    Settle(at);
    DayTally& day = FDays[DayOf(at)];
    day.added += added;
    day.removed += removed;
    FLastEdit = at;
    FCountedTo = std::max(FCountedTo, at);
}

void WritingSession::Settle(std::int64_t now)
{
    if (FLastEdit < 0)
        return;
    const std::int64_t end = std::min(now, FLastEdit + ActiveSeconds);
    AddActive(FCountedTo, end);
    FCountedTo = std::max(FCountedTo, end);
}

// Each local day gets the part of [from, to) that falls on it.
void WritingSession::AddActive(std::int64_t from, std::int64_t to)
{
    while (from < to) {
        const std::string& day = DayOf(from);
        const std::int64_t stop = std::min(to, FDayTo);
        FDays[day].activeSeconds += stop - from;
        from = stop;
    }
}
