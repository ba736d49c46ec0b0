// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The session accounting: characters added and removed edit by edit, writing time as the moments
// with an edit in the last two minutes, each under its local day.

#include "shell/WritingSession.h"

#include "shell/ScopedVariable.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>
#include <vector>

namespace {

// Local time nine hours ahead of UTC, without a clock change: midnight falls at 15:00 UTC.
class TokyoTime
{
public:
    TokyoTime() : FZone("TZ", "JST-9") { ::tzset(); }
    ~TokyoTime() { ::tzset(); }

private:
    ScopedVariable FZone;
};

// 2026-03-01 23:50 in Tokyo.
constexpr std::int64_t BeforeMidnight = 1772376600;

struct Edit
{
    std::int64_t at; // seconds after BeforeMidnight
    std::int64_t added;
    std::int64_t removed;
};

struct SessionCase
{
    const char* fact;
    std::vector<Edit> edits;
    std::int64_t settledAt;
    std::map<std::string, DayTally> days;
};

void PrintTo(const SessionCase& row, std::ostream* out)
{
    *out << row.fact;
}

class SessionTable : public ::testing::TestWithParam<SessionCase>
{
};

TEST_P(SessionTable, DaysAreAsTheWriterSpentThem)
{
    const TokyoTime tokyo;
    const SessionCase& row = GetParam();
    WritingSession session(BeforeMidnight, 100);
    for (const Edit& edit : row.edits)
        session.Edit(BeforeMidnight + edit.at, edit.added, edit.removed);
    session.Settle(BeforeMidnight + row.settledAt);
    EXPECT_EQ(session.Days(), row.days) << row.fact;
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SessionTable,
    ::testing::Values(
        SessionCase{"no edit is no writing, however long the document is open", {}, 3600, {}},
        SessionCase{"one edit counts its two minutes once they have passed",
                    {{0, 5, 0}},
                    600,
                    {{"2026-03-01", {5, 0, 120}}}},
        SessionCase{"an edit counts only the time that has passed so far",
                    {{0, 5, 0}},
                    30,
                    {{"2026-03-01", {5, 0, 30}}}},
        SessionCase{"edits a minute apart are one stretch of writing",
                    {{0, 1, 0}, {60, 1, 0}, {120, 1, 0}},
                    1000,
                    {{"2026-03-01", {3, 0, 240}}}},
        SessionCase{"a pause longer than two minutes is no writing time",
                    {{0, 1, 0}, {400, 1, 0}},
                    1000,
                    {{"2026-03-01", {2, 0, 240}}}},
        SessionCase{"a chapter pasted and deleted is added and removed, nothing net",
                    {{0, 3000, 0}, {10, 0, 3000}},
                    500,
                    {{"2026-03-01", {3000, 3000, 130}}}},
        SessionCase{"writing past midnight counts toward both days",
                    {{540, 10, 0}, {660, 20, 2}},
                    2000,
                    {{"2026-03-01", {10, 0, 60}}, {"2026-03-02", {20, 2, 180}}}},
        SessionCase{"the two minutes of the last edit before midnight run into the next day",
                    {{590, 4, 0}},
                    2000,
                    {{"2026-03-01", {4, 0, 10}}, {"2026-03-02", {0, 0, 110}}}}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST(WritingSession, SettlingTwiceCountsNoTimeTwice)
{
    const TokyoTime tokyo;
    WritingSession session(BeforeMidnight, 0);
    session.Edit(BeforeMidnight, 1, 0);
    session.Settle(BeforeMidnight + 50);
    session.Settle(BeforeMidnight + 50);
    session.Settle(BeforeMidnight + 90);
    session.Edit(BeforeMidnight + 100, 1, 0);
    session.Settle(BeforeMidnight + 1000);
    EXPECT_EQ(session.Days().at("2026-03-01").activeSeconds, 220);
}

TEST(WritingSession, LocalDaysFollowTheClockOfThePlace)
{
    const TokyoTime tokyo;
    EXPECT_EQ(LocalDay(BeforeMidnight), "2026-03-01");
    EXPECT_EQ(LocalDay(BeforeMidnight + 600), "2026-03-02");
    EXPECT_EQ(LocalDayBefore(BeforeMidnight, 0), "2026-03-01");
    EXPECT_EQ(LocalDayBefore(BeforeMidnight, 1), "2026-02-28");
    EXPECT_EQ(LocalDayBefore(BeforeMidnight + 600, 366), "2025-03-01");
}

} // namespace
