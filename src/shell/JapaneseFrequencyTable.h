// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How often characters, and pairs of characters, occur in Japanese text: costs in half-bits
// (-2·log2 of a probability), counted from Japanese manuals and a Japanese word list by
// scripts/gen-japanese-frequency.py. JapaneseLikelihood reads them.

#include <cstddef>
#include <cstdint>

namespace JapaneseFrequencyTable {

struct CharacterCost
{
    std::uint16_t character;
    std::uint8_t cost;    // of the character alone
    std::uint8_t backoff; // added to the cost of a following character whose pair is not listed
};

// A half-width katakana's full-width form, and the forms a following ﾞ or ﾟ makes of it (0 for
// none).
struct HalfWidthForm
{
    std::uint16_t full;
    std::uint16_t voiced;
    std::uint16_t semiVoiced;
};

// The pairs that begin with `first` are PairSeconds[start] up to the next row's start.
struct PairRow
{
    std::uint16_t first;
    std::uint32_t start;
};

extern const std::uint8_t UnseenCost;    // of a character never seen
extern const CharacterCost Characters[]; // by character
extern const std::size_t CharacterCount;
extern const HalfWidthForm HalfWidthForms[]; // for U+FF61 to U+FF9F
extern const PairRow PairRows[];             // by first character, ending in a row at 0xFFFF
extern const std::size_t PairRowCount;
extern const std::uint16_t PairSeconds[]; // by second character within each row
extern const std::uint8_t PairCosts[];    // of the second character after the first

} // namespace JapaneseFrequencyTable
