// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a settings file, line by line, as the profile functions see it: sections in
// brackets, "key=value" lines, and everything else (comments, blank lines) kept untouched.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ProfileText {

// The value of `key` in `section` (names compared without regard to letter case; the first
// section and the first key of that name count), blanks around it dropped and a pair of
// surrounding double quotes removed. Nothing when the section or key is missing.
std::optional<std::string> Find(const std::vector<std::string>& lines, std::string_view section,
                                std::string_view key);

// Replaces the value in place, or adds the key at the end of its section, or adds the section
// at the end of the text.
void Store(std::vector<std::string>& lines, std::string_view section, std::string_view key,
           std::string_view value);

// An integer as the settings file holds it: blanks, an optional sign, then decimal digits, or
// hexadecimal digits after "$", "0x" or "0X". Nothing for anything else or a number out of range.
std::optional<std::int32_t> ParseInteger(std::string_view text) noexcept;

} // namespace ProfileText
