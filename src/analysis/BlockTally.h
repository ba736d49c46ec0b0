// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sums a walk of a text's 64-byte blocks gathers for CountText, whichever walk made them.

#include <cstdint>

struct Tally
{
    std::int64_t singleByte = 0; // counted single-byte characters (no CR, LF or switched-off blank)
    std::int64_t lineFeeds = 0;
    std::int64_t doubleByte = 0;
    std::int64_t doubleByteSpaces = 0;
    bool endsWithLineFeed = false;

    // The sums of a text that this one follows; the end stays this one's.
    Tally& operator+=(const Tally& before) noexcept
    {
        singleByte += before.singleByte;
        lineFeeds += before.lineFeeds;
        doubleByte += before.doubleByte;
        doubleByteSpaces += before.doubleByteSpaces;
        return *this;
    }
};
