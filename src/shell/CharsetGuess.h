// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a text in a Japanese multi-byte encoding is Shift-JIS, the program's own form, or
// EUC-JP.

#include <string_view>

namespace CharsetGuess {

enum class Japanese
{
    ShiftJis,
    EucJp
};

// EUC-JP when every byte makes a character of EUC-JP and, either some byte makes none of
// Shift-JIS, or the EUC-JP reading is clearly the likelier Japanese text (JapaneseLikelihood,
// by a margin); Shift-JIS otherwise, also for bytes that make a text in neither. The form of
// EUC-JP is checked over the whole text, the characters and the likelihood over its first MiB.
Japanese Guess(std::string_view bytes);

// Whether well-formed UTF-8 is read as UTF-8: it holds a character of three bytes or more (as all
// Japanese does), or its bytes make no Shift-JIS text, or each of its other characters is a
// European letter or sign within a word (é in café, £ in £5). Half-width katakana in Shift-JIS can
// make two-byte UTF-8 characters too (ﾗｼﾞｵ reads as Hebrew and Thaana); such a text stays
// Shift-JIS.
bool ReadsAsUtf8(std::string_view utf8);

} // namespace CharsetGuess
