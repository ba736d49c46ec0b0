// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliLog.h"

#include "shell/Exceptions.h"
#include "shell/WritingLog.h"

#include <cinttypes>

int PrintWritingLog(const CliOptions& options, const std::string& logPath, std::int64_t now,
                    std::FILE* out, std::FILE* errors)
{
    try {
        const std::optional<WritingLog> log = WritingLog::OpenForReading(logPath);
        if (!log)
            return 0;
        const std::string first = options.logDays ? LocalDayBefore(now, *options.logDays - 1) : "";
        const std::string file = options.files.empty() ? std::string() : options.files.front();
        // The last N days end today: a day after it (written under a clock set ahead) is none.
        const std::string today = LocalDayBefore(now, 0);
        for (const LogDay& day : log->Days(first, file)) {
            if (options.logDays && day.day > today)
                continue;
            const DayTally& t = day.tally;
            std::fprintf(out, "%s\t%" PRId64 "\t%" PRId64 "\t%" PRId64 "\t%" PRId64 "\n",
                         day.day.c_str(), t.added, t.removed, t.added - t.removed,
                         (t.activeSeconds + 30) / 60);
        }
        return 0;
    } catch (const Exception& e) {
        std::fprintf(errors, "kotonami-count: %s: %s\n", logPath.c_str(), e.what());
        return 1;
    }
}
