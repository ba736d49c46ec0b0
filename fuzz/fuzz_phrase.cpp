// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// CountPhrase on any text and phrase (the first byte says how long the phrase is).
#include "analysis/PhraseCount.h"

#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t phraseLength = std::min<std::size_t>(data[0] % 16, input.size());
    const std::string_view phrase = input.substr(0, phraseLength);
    const std::string_view text = input.substr(phraseLength);
    const std::int64_t count = CountPhrase(text, phrase);
    if (count < -1 || (!phrase.empty() &&
                       static_cast<std::size_t>(count) * phrase.size() > text.size() && count > 0))
        std::abort();
    (void)MakePhraseReport(count, phrase);
    return 0;
}
