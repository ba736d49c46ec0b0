// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kotonami-count --log: the days of the writing log that the window keeps.

#include "CliOptions.h"

#include <cstdint>
#include <cstdio>

// Prints one line per day, oldest first, of the log at `logPath`: nothing when there is none.
// A log that cannot be read is named on `errors`; the exit status then is 1, else 0.
int PrintWritingLog(const CliOptions& options, const std::string& logPath, std::int64_t now,
                    std::FILE* out, std::FILE* errors);
