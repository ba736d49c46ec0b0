#pragma once
// Which Japanese multi-byte encoding a text most likely is, as the charset detector sees it.

#include <string_view>

namespace CharsetGuess {

enum class Japanese
{
    Unsure,
    ShiftJis,
    EucJp
};

// Shift-JIS or EUC-JP when the detector names one of them; Unsure for any other answer.
Japanese Guess(std::string_view bytes);

} // namespace CharsetGuess
