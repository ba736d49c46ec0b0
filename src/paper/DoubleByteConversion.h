// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rewriting half-width characters into their double-byte (full-width) forms.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// Key: a single byte, or a half-width kana with its sound mark (kana in the low byte, mark in the
// high byte). Value: the double-byte character, lead * 256 + trail.
using DoubleByteTable = std::map<std::uint16_t, std::uint16_t>;

DoubleByteTable BuildDoubleByteTable();

// Half-width letters, digits, symbols, blanks and katakana become double-byte.
std::string ConvertToDoubleBytes(std::string_view text);
// Only half-width katakana (with their sound marks) become double-byte katakana.
std::string ConvertKanaToDoubleBytes(std::string_view text);
// The text as a submission to a contest writes it, one character a cell: half-width letters,
// digits and marks become double-byte, except a number of one or two digits standing alone
// (not part of a word of letters), which stays half-width so that it shares one cell. Blanks,
// tabs and half-width katakana stay as they are.
std::string ConvertForSubmission(std::string_view text);
