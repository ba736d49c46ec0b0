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

    // Between words, with no join pending, nothing but the next word character changes the count.
    bool Idle() const noexcept { return FState == State::Running && !FInWord && !FJoined; }

    // A hyphen after a word waits for the next line to say whether the word goes on.
    bool JoinPending() const noexcept { return FState == State::AfterHyphen; }

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

// Finds the next single-byte word character from a character boundary 64 bytes at a time, so that
// the long stretches of kana and kanji between English words cost almost nothing.
class WordStartFinder
{
public:
    static constexpr std::size_t MaxListedBytes = 16;

    explicit WordStartFinder(const WordCharacterSet& set) : FDigits(set.countDigits)
    {
        for (const std::uint32_t code : set.Codes()) {
            if (code < 0x100 && FListedCount < MaxListedBytes)
                FListed[FListedCount++] = static_cast<unsigned char>(code);
            else
                FUsable = false; // a double-byte or a long list: walk every character
        }
    }

    bool Usable() const noexcept { return FUsable; }

    // The position of the next word character at or after `from`, or the end of the text.
    std::size_t Next(std::string_view text, std::size_t from) const noexcept
    {
        bool startsWithTrail = false;
        for (std::size_t offset = from; offset < text.size(); offset += ByteBlock::Size) {
            const ByteBlock block(text, offset);
            const ShiftJis::BlockRoles roles =
                ShiftJis::ClassifyBlock(block.LeadSet(), startsWithTrail);
            const std::uint64_t found = WordBytes(block) & ~(roles.lead | roles.trail);
            if (found != 0)
                return std::min(text.size(),
                                offset + static_cast<std::size_t>(std::countr_zero(found)));
        }
        return text.size();
    }

private:
    std::uint64_t WordBytes(const ByteBlock& block) const noexcept
    {
        std::uint64_t mask = block.InRange('A', 'Z') | block.InRange('a', 'z');
        if (FDigits)
            mask |= block.InRange('0', '9');
        for (std::size_t i = 0; i < FListedCount; ++i)
            mask |= block.Equal(FListed[i]);
        return mask;
    }

    bool FDigits;
    bool FUsable = true;
    std::array<unsigned char, MaxListedBytes> FListed{};
    std::size_t FListedCount = 0;
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
        : set(set), roles(SingleByteRoles(set)), finder(set)
    {
    }
    WordCharacterSet set;
    std::array<WordRole, 256> roles;
    WordStartFinder finder;
};

// The word count of a whole text, the counter left as the text ends.
WordCounter RunWords(std::string_view text, const WordTables& tables) noexcept
{
    // The writer's text ends at the first NUL byte.
    text = BeforeNul(text);

    WordCounter counter;
    std::size_t position = 0;
    while (position < text.size()) {
        if (tables.finder.Usable() && counter.Idle()) {
            position = tables.finder.Next(text, position);
            if (position >= text.size())
                break;
        }
        const ShiftJis::Character c = ShiftJis::CharacterAt(text, position);
        FeedCharacter(counter, c, tables.roles, tables.set);
        position += c.length;
    }
    return counter;
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

std::int32_t CountWords(std::string_view text, const WordCharacterSet& wordCharacters) noexcept
{
    return SaturateToInt32(RunWords(text, WordTables(wordCharacters)).Finish());
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
