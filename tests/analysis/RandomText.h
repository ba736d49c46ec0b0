// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seeded random byte strings that stress the Shift-JIS walk: mostly lead bytes and line breaks,
// with blanks, NULs and ASCII mixed in, so that odd runs of lead bytes, lone lead bytes at the end
// and trail bytes of every value all occur.

#include <cstdint>
#include <random>
#include <string>

inline std::string RandomShiftJisText(std::mt19937& random, std::size_t maxLength, bool allowNul)
{
    static constexpr unsigned char Favourites[] = {0x81, 0x82, 0x83, 0x40, 0x0D, 0x0A, 0x20, 0x09,
                                                   0x2D, 'a',  'Z',  '7',  0xA6, 0xE0, 0xFC, 0x9F};
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<int> choice(0, 3);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> favourite(0, sizeof Favourites - 1);
    std::string text(length(random), '\0');
    for (char& c : text) {
        unsigned char b = choice(random) == 0 ? static_cast<unsigned char>(anyByte(random))
                                              : Favourites[favourite(random)];
        if (b == 0 && !allowNul)
            b = 'x';
        c = static_cast<char>(b);
    }
    return text;
}

// Seeded random prose: words of letters and digits between kana, blanks and CR LF breaks, with
// now and then a hyphen, a lone CR or LF, a double-byte blank or a lone lead byte. Unlike
// RandomShiftJisText it leaves whole 64-byte blocks without a line break or a hyphen, the blocks
// a count may pass as masks.
inline std::string RandomProse(std::mt19937& random, std::size_t maxLength)
{
    static const char* const Pieces[] = {
        "Tokyo", "jazz", "a",        "2026", "x7", "\x82\xA0", "\x82\xA0\x8A\xBF", " ",
        "\t",    "\r\n", "\x81\x40", "-",    "\r", "\n",       "well-known",       "\x81"};
    static constexpr int Weights[] = {8, 8, 6, 3, 3, 30, 20, 6, 2, 4, 2, 1, 1, 1, 1, 1};
    std::discrete_distribution<std::size_t> piece(std::begin(Weights), std::end(Weights));
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    const std::size_t wanted = length(random);
    std::string text;
    while (text.size() < wanted)
        text += Pieces[piece(random)];
    return text;
}
