// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line-start character set (NoFirstChar, ForceFirstChar) prepared for asking "is this
// character a member?" once per character of a whole novel: the same answer as
// TPaper::ContainsChar, in constant time.

#include "analysis/ShiftJis.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

class CharacterSetIndex
{
public:
    explicit CharacterSetIndex(std::string_view set);

    bool Contains(const ShiftJis::Character& ch) const noexcept
    {
        if (ch.length == 2)
            return (FDoubleBytes[ch.code >> 6] >> (ch.code & 63)) & 1;
        // A one-byte member is a single-byte character, or a lead byte that ended the set.
        return FSingleBytes[ch.doubleByte ? ch.code >> 8 : ch.code];
    }

private:
    std::array<bool, 256> FSingleBytes{};
    std::vector<std::uint64_t> FDoubleBytes; // one bit per lead * 256 + trail
};
