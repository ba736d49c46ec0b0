// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CountText's walk over whole 64-byte blocks held in one register, on processors that have the
// 512-bit byte instructions: a block's byte tests are one instruction each rather than four, and
// the marks of rubies are found as masks on the same walk. Elsewhere the 16-byte walk counts.

#include "BlockTally.h"
#include "TextStatistics.h"

#include <optional>
#include <string_view>

class LeftOutByReading;

// Whether this processor takes the wide walk, and the count uses it. Asked once.
bool WideBlocksUsed() noexcept;
// For tests and benchmarks: the count keeps to the 16-byte walk while `off` is true.
void KeepToNarrowBlocks(bool off) noexcept;

// The sums of a text as TallyText makes them, or nothing when the text holds a NUL: the walk
// stops there, for the text to be walked again up to it. Only where WideBlocksUsed().
std::optional<Tally> TallyTextWide(std::string_view text, const CountOptions& options) noexcept;
// The same, with what reading leaves out told to `leftOut` on the walk (which is spent when the
// walk stops at a NUL).
std::optional<Tally> TallyTextWide(std::string_view text, const CountOptions& options,
                                   LeftOutByReading& leftOut);
