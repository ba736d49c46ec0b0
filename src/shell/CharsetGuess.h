// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which Japanese multi-byte encoding a text most likely is: Shift-JIS or EUC-JP.

#include <string_view>

namespace CharsetGuess {

enum class Japanese
{
    Unsure,
    ShiftJis,
    EucJp
};

// The encoding in which the bytes make characters throughout; when they do in both, the one in
// which they read more like Japanese text (kana and common kanji against half-width kana, rare
// kanji and symbols); when that is even too, the charset detector's answer (Unsure for any other
// answer than the two). `cut` tells that the bytes stop inside a text, so that a last character
// may be cut short.
Japanese Guess(std::string_view bytes, bool cut = false);

} // namespace CharsetGuess
