// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// English words: maximal runs of word characters, joined across a hyphen (also at a line end).

#include "ByteBlock.h"

#include <cstdint>
#include <memory>
#include <string_view>

class WordCharacterSet;

// Classifies 64 bytes at a time where every word character is a single byte (the usual setting),
// and walks character by character otherwise.
std::int64_t CountWords(std::string_view text, const WordCharacterSet& wordCharacters) noexcept;

// The same count, always walked character by character: the plain form of the rule, against which
// the block walk is checked.
std::int64_t CountWordsByCharacter(std::string_view text,
                                   const WordCharacterSet& wordCharacters) noexcept;

// The words of one line (no line breaks in it) as it stands alone, and what its neighbours need to
// join a word carried over a line end: the words of lines joined with CR LF are the sum of their
// words less one for every line that ends in a join followed by one that begins with a word.
struct LineWords
{
    std::int32_t words = 0;
    bool beginsWithWord = false; // a word character after the leading blanks
    bool endsInJoin = false;     // a hyphen right after a word, with only blanks after it
};

// Counts line after line under one word setting (copied), its tables made once.
class LineWordCounter
{
public:
    explicit LineWordCounter(const WordCharacterSet& wordCharacters);
    ~LineWordCounter();
    LineWords Count(std::string_view line) const noexcept;

private:
    struct Tables;
    std::unique_ptr<const Tables> FTables;
};

// The word count fed the blocks of a walk that serves other counts too (CharacterBlocks), so that
// a novel is walked once for its characters, lines and words. It takes only word settings whose
// word characters are all single bytes (ByBlock); CountWords takes any.
class BlockWordCounter
{
public:
    explicit BlockWordCounter(const WordCharacterSet& wordCharacters);
    ~BlockWordCounter();
    BlockWordCounter(const BlockWordCounter&) = delete;
    BlockWordCounter& operator=(const BlockWordCounter&) = delete;

    bool ByBlock() const noexcept;
    // The block of `text` at `offset`; the blocks come in order from the first, none left out.
    void Add(std::string_view text, std::size_t offset,
             const CharacterBlocks::Block& block) noexcept;
    std::int64_t Words() const noexcept;

private:
    struct State;
    std::unique_ptr<State> FState;
};
