// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The census on any bytes: no fault, every bin adds up, and without NUL the totals are the
// character count.
#include "analysis/CharacterCensus.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const CountOptions options : {CountOptions{}, CountOptions{false, false, false}}) {
        const CharacterCensus c = CountCharacterTypes(text, options);
        if (c.singleByteLetters + c.halfWidthKana + c.singleByteDigits + c.singleByteSymbols +
                    c.singleByteOthers !=
                c.singleByteTotal ||
            c.doubleByteDigits + c.doubleByteLetters + c.hiragana + c.katakana + c.greek +
                    c.doubleByteOthers !=
                c.doubleByteTotal)
            std::abort();
        if (std::memchr(data, 0, size) == nullptr &&
            (c.allCharacters != CountText(text, options, 1).characters ||
             c.singleByteTotal + c.doubleByteTotal != c.allCharacters))
            std::abort();
        (void)MakeCharacterTypeReport(c);
    }
    return 0;
}
