// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Occurrences of a phrase, left to right, never overlapping, starting on character boundaries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// -1 when the text or the phrase is empty (nothing to count), else the number of occurrences.
std::int64_t CountPhrase(std::string_view text, std::string_view phrase) noexcept;

// The report (Shift-JIS, CR LF), or nothing for a negative count.
std::optional<std::string> MakePhraseReport(std::int64_t count, std::string_view phrase);
