// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers in reports: plain decimal, and ratios of two integers written with a fixed number of
// decimals, rounded half away from zero exactly (no binary floating point in between).

#include <cstdint>
#include <string>

// numerator / denominator with `decimals` digits after ".", e.g. FormatRatio(1, 3, 2) == "0.33".
// A zero denominator gives the value 0.
std::string FormatRatio(std::int64_t numerator, std::int64_t denominator, int decimals);

// count * 100 / total with two decimals: the share of a census line.
std::string FormatPercentage(std::int64_t count, std::int64_t total);
