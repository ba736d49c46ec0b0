// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How unlikely a text is as Japanese: the cost, in half-bits, of its characters outside ASCII
// under a model of pairs of characters counted from real Japanese text. Two readings of the same
// bytes are compared by their costs: the lower is the likelier text.

#include <string_view>

namespace JapaneseLikelihood {

// -2·log2 of the text's probability: each character outside ASCII costs what it costs after the
// one before it (alone, after ASCII or at the start). A run of half-width katakana is read as the
// full-width katakana it stands for, a voiced or semi-voiced mark joined to the kana before it
// that takes one; half-width punctuation costs more than its full-width form, since half-width
// text is katakana words far more often than sentences.
long Cost(std::u16string_view text);

} // namespace JapaneseLikelihood
