#pragma once
// Test texts written in UTF-8 and turned into the Shift-JIS bytes the engine works on. Knows only
// the characters the paper tests use: ASCII, kana of both widths, full-width letters and digits,
// and a short list of punctuation and kanji.

#include <string>
#include <string_view>

std::string Sjis(std::string_view utf8);
