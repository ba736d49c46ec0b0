// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The column of a finding of the manuscript check in the unit an editor jumps by.

#include "CliOptions.h"

#include "documents/TextEncoding.h"

#include <cstdint>
#include <string_view>

// The column (from 1) of the character at `column` (from 1, every character one) of `line`
// (Shift-JIS, without its break): as a terminal shows the line (a double-byte character two
// columns, a half-width one one, a TAB up to the next multiple of 8), by characters, or by the
// bytes of the line's characters before it in `encoding`.
std::uint32_t FindingColumn(std::string_view line, std::uint32_t column, ColumnUnit unit,
                            TextEncoding encoding);
