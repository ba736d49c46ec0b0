// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordCount.h"
#include "analysis/BeforeNul.h"

#include "ByteBlock.h"
#include "Saturate.h"
#include "ShiftJis.h"
#include "WordCharacterSet.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace {

// A character as the word count sees it.
enum class WordRole : unsigned char
{
    Other,
    Word,
    Blank,   // a blank, a TAB or a double-byte blank
    Return,  // CR: neither ends nor continues a word
    Newline, // LF
    Hyphen
};

std::array<WordRole, 256> SingleByteRoles(const WordCharacterSet& set) noexcept
{
    std::array<WordRole, 256> roles{};
    for (std::size_t b = 0; b < roles.size(); ++b)
        roles[b] = set.IsSingleByteWordCharacter(static_cast<unsigned char>(b)) ? WordRole::Word
                                                                                : WordRole::Other;
    roles[ShiftJis::Space] = roles[ShiftJis::Tab] = WordRole::Blank;
    roles[ShiftJis::CR] = WordRole::Return;
    roles[ShiftJis::LF] = WordRole::Newline;
    roles[ShiftJis::Hyphen] = WordRole::Hyphen;
    return roles;
}

// The word count as a machine fed one character at a time. After a hyphen that ends a word it
// waits to see the rest of the line: blanks up to a line break carry the word over to the next
// line, past that line's leading blanks; anything else decides the join as it stands.
class WordCounter
{
public:
    void Feed(WordRole role) noexcept
    {
        switch (FState) {
        case State::AfterHyphen:
            if (role == WordRole::Blank || role == WordRole::Return) {
                FBlankAfterHyphen |= role == WordRole::Blank;
                return;
            }
            if (role == WordRole::Newline) {
                FState = State::AfterBreak;
                return;
            }
            // The line goes on: a blank right after the hyphen already cancelled the join.
            FState = State::Running;
            FJoined &= !FBlankAfterHyphen;
            break;
        case State::AfterBreak:
            if (role == WordRole::Blank)
                return;
            FState = State::Running;
            break;
        case State::Running:
            break;
        }
        Step(role);
    }

    // Of the characters of a block with these word characters, some that would leave the counter as
    // it is: a walk passes over them without feeding them. Between words only a word character
    // changes anything, and inside a word a word character does not; the rarer states look at every
    // character.
    std::uint64_t Inert(std::uint64_t wordCharacters) const noexcept
    {
        if (FState != State::Running || (FJoined && !FInWord))
            return 0;
        return FInWord ? wordCharacters : ~wordCharacters;
    }

    // A hyphen after a word waits for the next line to say whether the word goes on.
    bool JoinPending() const noexcept { return FState == State::AfterHyphen; }

    // No join is pending or running: a word ends at the first character that is no word
    // character, a hyphen after a word and a CR aside.
    bool Plain() const noexcept { return FState == State::Running && !FJoined; }
    bool InWord() const noexcept { return FInWord; }

    // Passes a block of characters in the plain state whose word characters are `words` (bit i
    // for the single byte at i, a joining hyphen among them) and which holds no CR that a word or
    // a hyphen follows: every word character that no word character comes before begins a word.
    // A word that a hyphen joined counts where it begins here and the counter reads on plain;
    // the walk by characters counts it at the hyphen and reads on joined, which comes to the
    // same.
    void PassPlain(std::uint64_t words) noexcept
    {
        const std::uint64_t begins = words & ~((words << 1) | std::uint64_t{FInWord});
        const bool last = (words >> 63) != 0;
        FCount += std::popcount(begins) + (FInWord ? 1 : 0) - (last ? 1 : 0);
        FInWord = last;
    }

    std::int64_t Finish() const noexcept { return FCount + (FInWord && !FJoined ? 1 : 0); }

private:
    enum class State : unsigned char
    {
        Running,
        AfterHyphen,
        AfterBreak
    };

    void Step(WordRole role) noexcept
    {
        if (role == WordRole::Return)
            return;
        const bool previous = FInWord;
        FInWord = role == WordRole::Word;
        if (FInWord)
            return;
        // The second half of a joined pair was counted with the first.
        FCount += previous && !FJoined;
        FJoined = false;
        if (previous && role == WordRole::Hyphen) {
            FJoined = true;
            FBlankAfterHyphen = false;
            FState = State::AfterHyphen;
        }
    }

    std::int64_t FCount = 0;
    bool FInWord = false;
    bool FJoined = false;
    bool FBlankAfterHyphen = false;
    State FState = State::Running;
};

// 64 bytes of a text for the word count, for word settings whose word characters are all single
// bytes: bit i answers for the character that starts at byte i.
struct WordBlock
{
    std::uint64_t starts = 0; // the first bytes of characters (inside the text)
    std::uint64_t leads = 0;  // the first bytes of double-byte characters
    std::uint64_t word = 0;   // single-byte word characters
};

// Classifies a text 64 bytes at a time, from its first byte on, and tells the role of a character.
class WordBlockWalk
{
public:
    static constexpr std::size_t MaxRanges = 19;

    // Usable when every word character of the setting is a single byte, at most 16 listed.
    WordBlockWalk(const WordCharacterSet& set, const std::array<WordRole, 256>& roles)
        : FRoles(roles)
    {
        Add('A', 'Z');
        Add('a', 'z');
        if (set.countDigits)
            Add('0', '9');
        for (const std::uint32_t code : set.Codes()) {
            if (code >= 0x100 || FRangeCount == MaxRanges)
                FUsable = false;
            else if (roles[code] == WordRole::Word) // a listed CR or LF stays a line break
                Add(static_cast<unsigned char>(code), static_cast<unsigned char>(code));
        }
    }

    bool Usable() const noexcept { return FUsable; }

    WordBlock Classify(const CharacterBlocks::Block& b) const noexcept
    {
        return {b.singles | b.roles.lead, b.roles.lead,
                b.singles & b.bytes.InRanges(std::span(FRanges.data(), FRangeCount))};
    }

    // The role of the character that starts at `position`, a lead byte or not.
    WordRole RoleAt(std::string_view text, std::size_t position, bool lead) const noexcept
    {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (!lead)
            return FRoles[byte];
        const bool blank = byte == 0x81 && position + 1 < text.size() && text[position + 1] == 0x40;
        return blank ? WordRole::Blank : WordRole::Other;
    }

private:
    void Add(unsigned char low, unsigned char high) noexcept
    {
        FRanges[FRangeCount++] = {low, high};
    }

    const std::array<WordRole, 256>& FRoles;
    std::array<ByteRange, MaxRanges> FRanges{};
    std::size_t FRangeCount = 0;
    bool FUsable = true;
};

void FeedCharacter(WordCounter& counter, const ShiftJis::Character& c,
                   const std::array<WordRole, 256>& roles, const WordCharacterSet& set) noexcept
{
    if (!c.doubleByte)
        counter.Feed(roles[c.code]);
    else if (c.code == ShiftJis::DoubleByteSpace)
        counter.Feed(WordRole::Blank);
    else
        counter.Feed(set.IsWordCharacter(c.code) ? WordRole::Word : WordRole::Other);
}

// What the word count needs of a word setting, made once for many texts.
struct WordTables
{
    explicit WordTables(const WordCharacterSet& set)
        : set(set), roles(SingleByteRoles(set)), walk(this->set, roles)
    {
    }
    WordTables(const WordTables&) = delete; // the walk refers to the roles
    WordTables& operator=(const WordTables&) = delete;
    WordCharacterSet set;
    std::array<WordRole, 256> roles;
    WordBlockWalk walk;
};

// The count fed one character at a time: the walk for every word setting.
WordCounter RunWordsByCharacter(std::string_view text, const WordTables& tables) noexcept
{
    WordCounter counter;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text))
        FeedCharacter(counter, c, tables.roles, tables.set);
    return counter;
}

// One block of the count 64 bytes at a time: only the characters that change the counter's
// state are fed, the rest (kana and kanji between words, the letters inside a word) pass as bits.
[[gnu::always_inline]] inline void FeedBlock(WordCounter& counter, const WordBlockWalk& walk,
                                             std::string_view text, std::size_t offset,
                                             const CharacterBlocks::Block& walked) noexcept
{
    const WordBlock block = walk.Classify(walked);
    if (counter.Plain()) {
        // A CR neither ends nor continues a word, and a hyphen after a word waits to see what
        // follows. A block passes as masks when none of its CRs comes before a word or a hyphen
        // and each of its hyphens after a word has a word character right after it: such a
        // hyphen joins two words into one, as a word character would.
        const std::uint64_t returns = walked.singles & walked.bytes.Equal(ShiftJis::CR);
        const std::uint64_t hyphens = walked.singles & walked.bytes.Equal(ShiftJis::Hyphen);
        const std::uint64_t joining =
            hyphens & ((block.word << 1) | std::uint64_t{counter.InWord()});
        const std::uint64_t beforeWord = block.word >> 1;
        if ((joining & ~beforeWord) == 0 && (returns & (beforeWord | (hyphens >> 1))) == 0 &&
            (returns >> 63) == 0) {
            counter.PassPlain(block.word | joining);
            return;
        }
    }
    std::uint64_t pending = block.starts;
    for (;;) {
        const std::uint64_t live = pending & ~counter.Inert(block.word);
        if (live == 0)
            break;
        const int bit = std::countr_zero(live);
        counter.Feed(walk.RoleAt(text, offset + static_cast<std::size_t>(bit),
                                 ((block.leads >> bit) & 1) != 0));
        pending = bit == 63 ? 0 : pending & (~0ULL << (bit + 1));
    }
}

WordCounter RunWordsByBlock(std::string_view text, const WordBlockWalk& walk) noexcept
{
    WordCounter counter;
    CharacterBlocks blocks(text);
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size)
        FeedBlock(counter, walk, text, offset, blocks.At(offset));
    return counter;
}

// The word count of a whole text, the counter left as the text ends.
WordCounter RunWords(std::string_view text, const WordTables& tables, bool byBlock = true) noexcept
{
    // The writer's text ends at the first NUL byte.
    text = BeforeNul(text);
    return byBlock && tables.walk.Usable() ? RunWordsByBlock(text, tables.walk)
                                           : RunWordsByCharacter(text, tables);
}

// Whether the first character after the leading blanks is a word character.
bool BeginsWithWord(std::string_view line, const WordTables& tables) noexcept
{
    for (const ShiftJis::Character& c : ShiftJis::Characters(line)) {
        if (c.doubleByte && c.code == ShiftJis::DoubleByteSpace)
            continue;
        const WordRole role =
            c.doubleByte ? (tables.set.IsWordCharacter(c.code) ? WordRole::Word : WordRole::Other)
                         : tables.roles[c.code];
        if (role != WordRole::Blank)
            return role == WordRole::Word;
    }
    return false;
}

} // namespace

std::int64_t CountWords(std::string_view text, const WordCharacterSet& wordCharacters) noexcept
{
    return RunWords(text, WordTables(wordCharacters)).Finish();
}

std::int64_t CountWordsByCharacter(std::string_view text,
                                   const WordCharacterSet& wordCharacters) noexcept
{
    return RunWords(text, WordTables(wordCharacters), false).Finish();
}

struct LineWordCounter::Tables : WordTables
{
    using WordTables::WordTables;
};

LineWordCounter::LineWordCounter(const WordCharacterSet& wordCharacters)
    : FTables(std::make_unique<const Tables>(wordCharacters))
{
}

LineWordCounter::~LineWordCounter() = default;

LineWords LineWordCounter::Count(std::string_view line) const noexcept
{
    const WordCounter counter = RunWords(line, *FTables);
    return {SaturateToInt32(counter.Finish()), BeginsWithWord(line, *FTables),
            counter.JoinPending()};
}

struct BlockWordCounter::State : WordTables
{
    using WordTables::WordTables;
    WordCounter counter;
};

BlockWordCounter::BlockWordCounter(const WordCharacterSet& wordCharacters)
    : FState(std::make_unique<State>(wordCharacters))
{
}

BlockWordCounter::~BlockWordCounter() = default;

bool BlockWordCounter::ByBlock() const noexcept
{
    return FState->walk.Usable();
}

KOTONAMI_COUNTING_CLONES
void BlockWordCounter::Add(std::string_view text, std::size_t offset,
                           const CharacterBlocks::Block& block) noexcept
{
    FeedBlock(FState->counter, FState->walk, text, offset, block);
}

std::int64_t BlockWordCounter::Words() const noexcept
{
    return FState->counter.Finish();
}
