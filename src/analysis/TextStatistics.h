// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Characters, lines and bytes of a Shift-JIS text under the writer's counting switches.

#include <cstdint>
#include <string_view>

class WordCharacterSet;

enum class LineMode
{
    Logical, // a line ends at a line break
    Display  // a line is a line as the editor wraps it on screen
};

struct CountOptions
{
    bool countSpace = true;           // a single-byte blank 0x20 counts as a character
    bool countTab = true;             // a TAB counts as a character
    bool countDoubleByteSpace = true; // a double-byte blank 0x8140 counts as a character
    LineMode lineMode = LineMode::Logical;
    bool excludeRuby = false; // ruby readings and editorial notes are no characters (TextAsRead)
};

// In 64 bits, so that a text of several gigabytes has its figures, not the largest 32-bit number.
struct TextStatistics
{
    std::int64_t characters = 0; // weighted characters counted under CountOptions
    std::int64_t lines = 0; // logical lines, or the display-line count where the caller puts it
    std::int64_t bytes = 0; // length in bytes, CR LF included
    std::int64_t words = 0; // English words; CountText leaves it 0
};

// The one character, line and byte counter. With `excludeRuby` it counts the text as read, and
// `bytes` stays the size of the text as stored. `doubleByteWeight` is what one counted double-byte
// character adds to `characters` (1 everywhere, 2 for the simple manuscript count). Reading a line
// whose marks are more than plain rubies takes memory: when there is none, std::bad_alloc reaches
// the caller, whose command handler tells the writer.
TextStatistics CountText(std::string_view text, const CountOptions& options,
                         std::int32_t doubleByteWeight = 1);

// CountText with the English words (CountWords) in `words`: a text walked once for all of them
// where the word setting allows.
TextStatistics CountTextWithWords(std::string_view text, const CountOptions& options,
                                  const WordCharacterSet& wordCharacters);
