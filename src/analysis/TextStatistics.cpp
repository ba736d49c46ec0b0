// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextStatistics.h"
#include "analysis/BeforeNul.h"

#include "BlockTally.h"
#include "ByteBlock.h"
#include "LeftOutByReading.h"
#include "Saturate.h"
#include "ShiftJis.h"
#include "SideBySide.h"
#include "WideBlocks.h"
#include "WordCount.h"

#include <algorithm>
#include <bit>

#include <array>
#include <cstring>
#include <optional>
#include <thread>

namespace {

// The hot loop of the live panel, 64 bytes at a time: the walk marks the lead and trail bytes
// of each block and the sums are population counts of masks. Each walked block is shown to
// `visit(offset, block, lineBreaks)` too (its single-byte CR and LF characters), so that another
// count (the words, what reading leaves out) shares the walk.
template <class Visit>
[[gnu::always_inline]] inline Tally TallyText(std::string_view text, const CountOptions& options,
                                              Visit&& visit)
{
    Tally tally;
    CharacterBlocks blocks(text);
    std::uint64_t lastWasLeadBlank = 0; // byte 63 of the block before was 0x81
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
        const CharacterBlocks::Block walked = blocks.At(offset);
        const ByteBlock& block = walked.bytes;
        const std::uint64_t inText = walked.inText;
        const ShiftJis::BlockRoles& roles = walked.roles;
        const std::uint64_t singles = walked.singles;
        const std::size_t valid = std::min(text.size() - offset, ByteBlock::Size);
        const std::uint64_t lineFeeds = singles & block.Equal(ShiftJis::LF);
        const std::uint64_t lineBreaks = lineFeeds | (singles & block.Equal(ShiftJis::CR));
        std::uint64_t uncounted = lineBreaks;
        if (!options.countSpace)
            uncounted |= block.Equal(ShiftJis::Space);
        if (!options.countTab)
            uncounted |= block.Equal(ShiftJis::Tab);
        if (!options.countDoubleByteSpace) {
            // Double-byte blanks are only told apart when they are not counted.
            const std::uint64_t blankLeads = block.Equal(0x81);
            tally.doubleByteSpaces += std::popcount(roles.trail & inText & block.Equal(0x40) &
                                                    ((blankLeads << 1) | lastWasLeadBlank));
            lastWasLeadBlank = blankLeads >> 63;
        }
        visit(offset, walked, lineBreaks);
        tally.singleByte += std::popcount(singles & ~uncounted);
        tally.lineFeeds += std::popcount(lineFeeds);
        tally.doubleByte += std::popcount(roles.lead & inText);
        if (offset + valid == text.size())
            tally.endsWithLineFeed = (lineFeeds >> (valid - 1)) & 1;
    }
    return tally;
}

Tally TallyText(std::string_view text, const CountOptions& options)
{
    return TallyText(text, options,
                     [](std::size_t, const CharacterBlocks::Block&, std::uint64_t) {});
}

// The figures of a tally, the text's end told apart: an empty text has no line, and a last line
// without its line feed is still a line.
TextStatistics Figures(const Tally& tally, TextEnd end, const CountOptions& options,
                       std::int32_t doubleByteWeight) noexcept
{
    TextStatistics statistics;
    if (end.empty)
        return statistics;
    std::int64_t doubleByte = tally.doubleByte;
    if (!options.countDoubleByteSpace)
        doubleByte -= tally.doubleByteSpaces;
    std::int64_t characters = tally.singleByte;
    characters = SaturatingAdd64(characters, SaturatingMultiply64(doubleByte, doubleByteWeight));
    statistics.characters = characters;
    statistics.lines = tally.lineFeeds + (end.lineFeed ? 0 : 1);
    return statistics;
}

// The tally of a text without what reading leaves out of it.
Tally LessLeftOut(Tally tally, const LeftOut& lost) noexcept
{
    tally.singleByte -= lost.singleByte;
    tally.doubleByte -= lost.doubleByte;
    tally.doubleByteSpaces -= lost.doubleByteSpaces;
    return tally;
}

// The text as read counted without making it: what reading leaves out is counted on the walk
// and subtracted from the text as written.
TextStatistics CountAsRead(std::string_view text, const CountOptions& options,
                           std::int32_t doubleByteWeight)
{
    LeftOutByReading leftOut(text, options);
    const Tally tally =
        TallyText(text, options,
                  [&](std::size_t offset, const CharacterBlocks::Block& walked,
                      std::uint64_t lineBreaks) { leftOut.Block(offset, walked, lineBreaks); });
    leftOut.Finish();
    return Figures(LessLeftOut(tally, leftOut.Total()), leftOut.End(), options, doubleByteWeight);
}

// The same on the wide walk, which stops at a NUL: nothing then.
std::optional<TextStatistics> CountWide(std::string_view text, const CountOptions& options,
                                        std::int32_t doubleByteWeight)
{
    if (!options.excludeRuby) {
        const std::optional<Tally> tally = TallyTextWide(text, options);
        if (!tally)
            return std::nullopt;
        return Figures(*tally, {text.empty(), tally->endsWithLineFeed}, options, doubleByteWeight);
    }
    LeftOutByReading leftOut(text, options);
    const std::optional<Tally> tally = TallyTextWide(text, options, leftOut);
    if (!tally)
        return std::nullopt;
    leftOut.Finish();
    return Figures(LessLeftOut(*tally, leftOut.Total()), leftOut.End(), options, doubleByteWeight);
}

} // namespace

KOTONAMI_COUNTING_CLONES
TextStatistics CountText(std::string_view text, const CountOptions& options,
                         std::int32_t doubleByteWeight)
{
    const auto bytes = static_cast<std::int64_t>(text.size());
    TextStatistics statistics;
    if (WideBlocksUsed()) {
        // The writer's text ends at the first NUL byte: a walk that meets one walks again up to it.
        std::optional<TextStatistics> counted = CountWide(text, options, doubleByteWeight);
        if (!counted)
            counted = CountWide(BeforeNul(text), options, doubleByteWeight);
        statistics = counted.value_or(TextStatistics{});
    } else {
        text = BeforeNul(text);
        if (options.excludeRuby) {
            statistics = CountAsRead(text, options, doubleByteWeight);
        } else {
            const Tally tally = TallyText(text, options);
            statistics =
                Figures(tally, {text.empty(), tally.endsWithLineFeed}, options, doubleByteWeight);
        }
    }
    statistics.bytes = bytes;
    return statistics;
}

namespace {

// A text and its words counted in one walk; `empty` and the tally's line feed tell its end.
struct WalkedCount
{
    Tally tally;
    std::int64_t words = 0;
    bool empty = true;
    bool cut = false; // a NUL ended the text
};

// The text up to its first NUL.
KOTONAMI_COUNTING_CLONES
WalkedCount CountWalked(std::string_view text, const CountOptions& options,
                        const WordCharacterSet& wordCharacters)
{
    const std::string_view whole = text;
    text = BeforeNul(text);
    BlockWordCounter words(wordCharacters);
    const Tally tally = TallyText(text, options,
                                  [&](std::size_t offset, const CharacterBlocks::Block& walked,
                                      std::uint64_t) { words.Add(text, offset, walked); });
    return {tally, words.Words(), text.empty(), text.size() != whole.size()};
}

// Where a long text may be counted in two halves at once: the line start after a CR LF from the
// middle on whose line ends in no blank and no hyphen, so that no word waits there to be joined
// to the next line and each half counts as a text of its own. 0 where the text is counted in one
// go.
std::size_t WordsHalvesMeetAt(std::string_view text)
{
    constexpr std::size_t Search = std::size_t{1} << 20;
    return HalvesMeetAt(
        text,
        [text](std::size_t at) {
            // A byte before a CR is a single-byte character or a trail byte (0x40 and up): the
            // trail of a double-byte blank is 0x40.
            const auto before = static_cast<unsigned char>(text[at - 1]);
            return before != ShiftJis::Space && before != ShiftJis::Tab &&
                   before != ShiftJis::Hyphen && before != ShiftJis::CR && before != ShiftJis::LF &&
                   before != 0x40;
        },
        Search);
}

// The two halves at once, the second in a thread of its own, each up to its first NUL: a NUL in
// the first half ends the text there. Nothing when no thread can be had.
std::optional<WalkedCount> CountInHalves(std::string_view text, std::size_t meet,
                                         const CountOptions& options,
                                         const WordCharacterSet& wordCharacters)
{
    WalkedCount first;
    std::optional<WalkedCount> second;
    const bool sideBySide =
        RunSideBySide([&] { first = CountWalked(text.substr(0, meet), options, wordCharacters); },
                      [&]() noexcept {
                          try {
                              second = CountWalked(text.substr(meet), options, wordCharacters);
                          } catch (...) {
                              second.reset(); // counted again in one go
                          }
                      });
    if (!sideBySide)
        return std::nullopt;
    if (first.cut)
        return first;
    if (!second)
        return std::nullopt;
    if (second->empty) // the text ends where the halves meet
        return first;
    WalkedCount both = *second; // the text ends in the second half
    both.tally += first.tally;
    both.words = SaturatingAdd64(both.words, first.words);
    return both;
}

} // namespace

TextStatistics CountTextWithWords(std::string_view text, const CountOptions& options,
                                  const WordCharacterSet& wordCharacters)
{
    if (options.excludeRuby || !BlockWordCounter(wordCharacters).ByBlock()) {
        TextStatistics statistics = CountText(text, options);
        statistics.words = CountWords(text, wordCharacters);
        return statistics;
    }
    const auto bytes = static_cast<std::int64_t>(text.size());
    std::optional<WalkedCount> counted;
    if (const std::size_t meet = WordsHalvesMeetAt(text); meet != 0)
        counted = CountInHalves(text, meet, options, wordCharacters);
    if (!counted)
        counted = CountWalked(text, options, wordCharacters);
    TextStatistics statistics =
        Figures(counted->tally, {counted->empty, counted->tally.endsWithLineFeed}, options, 1);
    statistics.bytes = bytes;
    statistics.words = counted->words;
    return statistics;
}
