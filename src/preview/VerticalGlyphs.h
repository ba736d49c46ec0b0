// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a character stands in a cell of vertical writing: most stand as in horizontal writing; the
// comma and full stop move to the upper right, small kana a little towards it; brackets, the long
// vowel mark, dashes, ellipses, wave dashes, the colon and the semicolon turn a quarter to the
// right.

#include <QChar>

enum class VerticalForm
{
    Upright,
    Turned,     // rotated 90 degrees clockwise
    UpperRight, // 、。，． in the upper right of the cell
    SmallKana   // ぁっゃ… nudged towards the upper right
};

VerticalForm VerticalFormOf(char16_t ch) noexcept;
