// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many characters of a text fall into each character type.

#include "TextStatistics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct CharacterCensus
{
    std::int64_t allCharacters = 0;
    std::int64_t hiragana = 0;
    std::int64_t katakana = 0;
    std::int64_t halfWidthKana = 0;
    std::int64_t singleByteLetters = 0;
    std::int64_t doubleByteLetters = 0;
    std::int64_t singleByteDigits = 0;
    std::int64_t doubleByteDigits = 0;
    std::int64_t singleByteSymbols = 0;
    std::int64_t greek = 0;
    std::int64_t singleByteTotal = 0;
    std::int64_t singleByteOthers = 0;
    std::int64_t doubleByteTotal = 0;
    std::int64_t doubleByteOthers = 0;

    // Field-by-field sum, for the census over all documents.
    CharacterCensus& operator+=(const CharacterCensus& other) noexcept;
    friend bool operator==(const CharacterCensus&, const CharacterCensus&) = default;
};

CharacterCensus CountCharacterTypes(std::string_view text, const CountOptions& options);

// The report (Shift-JIS, CR LF), or nothing when no character was counted.
std::optional<std::string> MakeCharacterTypeReport(const CharacterCensus& census);
