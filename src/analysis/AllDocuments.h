// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of the selection and all-documents analyses that are pure computations.

#include "CharacterCensus.h"
#include "TextStatistics.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class WordCharacterSet;

// The selected text as the selection commands analyse it: a single NUL becomes empty, and a
// selection whose second-to-last byte is a NUL outside a double-byte character loses its last
// two bytes.
std::string_view NormaliseSelection(std::string_view selected) noexcept;

// Sums of CountText (logical lines, weight 1) and CountWords over every text, in 64 bits. The
// size ("サイズ") is the sum of `sizes`, each text's bytes as its file holds them (its own encoding
// and line breaks), which its counting form cannot tell.
TextStatistics SumStatistics(std::span<const std::string_view> texts,
                             std::span<const std::int64_t> sizes, const CountOptions& options,
                             const WordCharacterSet& wordCharacters);

// The all-documents count report (Shift-JIS, CR LF).
std::string MakeAllDocumentsReport(const TextStatistics& totals);

// The census of every text added field by field.
CharacterCensus SumCensus(std::span<const std::string_view> texts, const CountOptions& options);

// The phrase counts of every text added, skipping the -1 of an empty text; never negative.
std::int64_t SumPhraseCounts(std::span<const std::string_view> texts,
                             std::string_view phrase) noexcept;
