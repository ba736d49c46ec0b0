// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The accounting of one writing session of one document: the characters the writer added and
// removed, edit by edit (so that pasting a chapter and deleting it again is no writing), and the
// time spent writing (every moment with an edit in the last two minutes), each kept under the
// local day it happened on, so that a session past midnight counts toward both days.

#include <cstdint>
#include <map>
#include <string>

struct DayTally
{
    std::int64_t added = 0;
    std::int64_t removed = 0;
    std::int64_t activeSeconds = 0;
    bool operator==(const DayTally&) const = default;
};

// The local day of a moment (seconds since the epoch) as "YYYY-MM-DD".
std::string LocalDay(std::int64_t at);
// The local day `days` days before the day of `at` (0: that day), as LocalDay writes it.
std::string LocalDayBefore(std::int64_t at, int days);

class WritingSession
{
public:
    // An edit keeps the writer counted as writing for this long.
    static constexpr std::int64_t ActiveSeconds = 120;

    WritingSession(std::int64_t started, std::int64_t charactersAtStart) noexcept;
    // A session taken up again with the tallies it had (a window that ended without closing had
    // not written them all to the log).
    WritingSession(std::int64_t started, std::int64_t charactersAtStart,
                   std::map<std::string, DayTally> days);

    // An edit at `at` that added and removed so many characters.
    void Edit(std::int64_t at, std::int64_t added, std::int64_t removed);
    // Counts the writing time up to `now` (what has passed of the last edit's two minutes); the
    // tallies are then complete up to `now`.
    void Settle(std::int64_t now);

    std::int64_t Started() const noexcept { return FStarted; }
    std::int64_t CharactersAtStart() const noexcept { return FCharactersAtStart; }
    bool Edited() const noexcept { return FLastEdit >= 0; }
    // Day by day, oldest first, the days with an edit or writing time.
    const std::map<std::string, DayTally>& Days() const noexcept { return FDays; }

private:
    void AddActive(std::int64_t from, std::int64_t to);
    const std::string& DayOf(std::int64_t at);

    std::int64_t FStarted;
    std::int64_t FCharactersAtStart;
    std::int64_t FLastEdit = -1;
    std::int64_t FCountedTo = 0; // writing time is counted up to here
    std::map<std::string, DayTally> FDays;
    std::int64_t FDayFrom = 0; // the local day last asked for: [FDayFrom, FDayTo)
    std::int64_t FDayTo = 0;
    std::string FDayName;
};
