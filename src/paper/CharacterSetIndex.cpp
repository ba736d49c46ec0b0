// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterSetIndex.h"

CharacterSetIndex::CharacterSetIndex(std::string_view set) : FDoubleBytes(65536 / 64, 0)
{
    for (const ShiftJis::Character& ch : ShiftJis::Characters(set)) {
        if (ch.length == 2)
            FDoubleBytes[ch.code >> 6] |= std::uint64_t{1} << (ch.code & 63);
        else
            FSingleBytes[ch.doubleByte ? ch.code >> 8 : ch.code] = true;
    }
}
