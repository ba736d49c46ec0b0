#include "WordCount.h"

#include "Saturate.h"
#include "ShiftJis.h"
#include "WordCharacterSet.h"

#include <cstring>

namespace {

// A character as the word count sees it.
enum class WordRole
{
    Word,
    Blank,   // a blank, a TAB or a double-byte blank
    Return,  // CR: neither ends nor continues a word
    Newline, // LF
    Hyphen,
    Other
};

WordRole RoleOf(const ShiftJis::Character& c, const WordCharacterSet& set) noexcept
{
    if (c.doubleByte) {
        if (c.code == ShiftJis::DoubleByteSpace)
            return WordRole::Blank;
        return set.IsWordCharacter(c.code) ? WordRole::Word : WordRole::Other;
    }
    const auto byte = static_cast<unsigned char>(c.code);
    if (set.IsSingleByteWordCharacter(byte))
        return WordRole::Word;
    switch (byte) {
    case ShiftJis::Space:
    case ShiftJis::Tab:
        return WordRole::Blank;
    case ShiftJis::CR:
        return WordRole::Return;
    case ShiftJis::LF:
        return WordRole::Newline;
    case ShiftJis::Hyphen:
        return WordRole::Hyphen;
    default:
        return WordRole::Other;
    }
}

constexpr std::size_t NoContinuation = static_cast<std::size_t>(-1);

// After a hyphen that ends a word: when the rest of its line holds only blanks and CRs and a line
// break follows, the word goes on at the first non-blank of the next line; returns where that is.
// Returns the end of the text when only blanks follow up to the end, and NoContinuation when
// something else follows on the line. Stops at the first character that decides it, so that
// every blank is looked at here at most once.
std::size_t LineContinuation(std::string_view text, std::size_t from, const WordCharacterSet& set)
{
    bool afterBreak = false;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text, from)) {
        const WordRole role = RoleOf(c, set);
        if (role == WordRole::Blank || (!afterBreak && role == WordRole::Return))
            continue;
        if (afterBreak)
            return c.position;
        if (role != WordRole::Newline)
            return NoContinuation;
        afterBreak = true;
    }
    return text.size();
}

} // namespace

std::int32_t CountWords(std::string_view text, const WordCharacterSet& wordCharacters) noexcept
{
    // The writer's text ends at the first NUL byte.
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));

    std::int64_t count = 0;
    bool inWord = false;
    bool joined = false;
    std::size_t position = 0;
    while (position < text.size()) {
        const ShiftJis::Character c = ShiftJis::CharacterAt(text, position);
        position += c.length;
        const WordRole role = RoleOf(c, wordCharacters);
        if (role == WordRole::Return)
            continue;
        const bool previous = inWord;
        inWord = role == WordRole::Word;
        if (inWord)
            continue;
        // A non-word character ends a word (the second half of a joined pair was counted with the
        // first) and cancels a pending join.
        if (previous && !joined)
            ++count;
        joined = false;
        if (previous && role == WordRole::Hyphen) {
            joined = true;
            const std::size_t next = LineContinuation(text, position, wordCharacters);
            if (next != NoContinuation)
                position = next;
        }
    }
    if (inWord && !joined)
        ++count;
    return SaturateToInt32(count);
}
