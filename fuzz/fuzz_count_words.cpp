// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// CountWords on any bytes, with the first bytes choosing the word-character list; the block walk
// must give the count of stepping through every character.
#include "analysis/WordCharacterSet.h"
#include "analysis/WordCount.h"

#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t listLength = size == 0 ? 0 : std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string_view list = input.substr(size == 0 ? 0 : 1, listLength);
    const std::string_view text = input.substr(std::min(size, listLength + 1));

    WordCharacterSet skipping;
    skipping.countDigits = size % 2 == 0;
    skipping.SetCharacterList(list);
    WordCharacterSet stepping = skipping;
    // Enough extra letters (already word characters) to make the count walk every character; put
    // first so that the list itself is cut as before.
    stepping.SetCharacterList("abcdefghijklmnopqrstuvwxyz" + std::string(list));
    const std::int64_t words = CountWords(text, skipping);
    if (words < 0 || words != CountWords(text, stepping) ||
        words != CountWordsByCharacter(text, skipping))
        std::abort();
    return 0;
}
