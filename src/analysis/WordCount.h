#pragma once
// English words: maximal runs of word characters, joined across a hyphen (also at a line end).

#include <cstdint>
#include <string_view>

class WordCharacterSet;

std::int32_t CountWords(std::string_view text, const WordCharacterSet& wordCharacters) noexcept;
