// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What reading a text leaves out (TextAsRead), counted while a count walks the text 64 bytes at a
// time, so that counting the text as read costs little more than counting it as written.
//
// The marks of a line are read on the way: a line whose marks are plain rubies (｜ or | before a
// base, then 《reading》; or a bare 《reading》) loses exactly those marks and readings, counted
// from their positions without a second walk. Any other line (a note, an emphasis 《《, a mark that
// does not close on its line, a ｜ without its reading, a line of nothing but rubies between a bare
// CR and an LF) is read by TextAsRead's own passes, alone: no mark pairs across a line break, so a
// line reads the same alone as in its text.

#include "ByteBlock.h"
#include "ShiftJis.h"
#include "TextStatistics.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Characters of a text as the count counts them, and the bytes they take.
struct LeftOut
{
    std::int64_t singleByte = 0; // counted single-byte characters
    std::int64_t doubleByte = 0;
    std::int64_t doubleByteSpaces = 0;
    std::int64_t bytes = 0;

    LeftOut& operator+=(const LeftOut& other) noexcept
    {
        singleByte += other.singleByte;
        doubleByte += other.doubleByte;
        doubleByteSpaces += other.doubleByteSpaces;
        bytes += other.bytes;
        return *this;
    }
    LeftOut& operator-=(const LeftOut& other) noexcept
    {
        singleByte -= other.singleByte;
        doubleByte -= other.doubleByte;
        doubleByteSpaces -= other.doubleByteSpaces;
        bytes -= other.bytes;
        return *this;
    }
};

// The characters of `text` that begin from `from` up to `to`, whole (a lead byte just before `to`
// takes its second byte), counted one by one under the counting switches: for the few
// characters of a reading or a mark.
LeftOut CountCharacters(std::string_view text, std::size_t from, std::size_t to,
                        const CountOptions& options) noexcept;

// Whether the text as read is empty, and whether it ends in a line feed.
struct TextEnd
{
    bool empty = true;
    bool lineFeed = false;
};

// One 64-byte block of a text as masks, for the marks of plain rubies passed a block at a time
// (LeftOutByReading::PassMasked). Bit i is byte i of the block; every mask covers bytes inside the
// text only, and a two-byte mark is marked at its first byte.
struct MarkMasks
{
    std::uint64_t leads = 0;        // first bytes of double-byte characters
    std::uint64_t singles = 0;      // single-byte characters
    std::uint64_t counted = 0;      // the single-byte characters the count counts
    std::uint64_t doubleBlanks = 0; // double-byte blanks, where they are told apart (else 0)
    std::uint64_t opens = 0;        // 《
    std::uint64_t closes = 0;       // 》
    std::uint64_t bars = 0;         // ｜ and |
    std::uint64_t brackets = 0;     // ［
    std::uint64_t lineBreaks = 0;   // single-byte CR and LF
    std::uint64_t lineFeeds = 0;
    std::uint64_t loneReturns = 0; // CRs that no LF follows
    std::uint64_t openParity = 0;  // bit i: an odd number of 《 and 》 up to byte i
    std::uint64_t mayBeMarks = 0;  // what the walk mark by mark looks at (made for it alone)
};

class LeftOutByReading
{
public:
    LeftOutByReading(std::string_view text, const CountOptions& options) noexcept
        : FText(text), FOptions(options), FExact(!options.countDoubleByteSpace)
    {
    }
    LeftOutByReading(const LeftOutByReading&) = delete;
    LeftOutByReading& operator=(const LeftOutByReading&) = delete;

    // Hears the block at `offset` of the count's walk, in order; `lineBreaks` are its single-byte
    // CR and LF characters.
    void Block(std::size_t offset, const CharacterBlocks::Block& walked, std::uint64_t lineBreaks)
    {
        const std::uint64_t marks = MayBeMarks(offset, walked);
        if (marks == 0 && FWalk.state == State::Outside) {
            if (lineBreaks != 0)
                FWalk.lineStart = offset + ByteBlock::Size - std::countl_zero(lineBreaks);
            return;
        }
        Marks(offset, walked.singles, marks, lineBreaks);
    }

    // The end of the text ends its last line; call once, after the last block.
    void Finish();

    // What reading leaves out of the whole text.
    const LeftOut& Total() const noexcept { return FWalk.total; }
    // The end of the text as read (after Finish).
    TextEnd End() const noexcept;

    // The walk of a text given as masked blocks (MarkMasks), which passes a block whose marks are
    // plain rubies as a whole: what their readings and bars leave out is added to the total as the
    // walk goes, an open reading included up to the block's end. A block it cannot pass goes to
    // the walk mark by mark (MarkedBlock), which takes the line over from its start.
    struct MaskedWalk
    {
        LeftOut total; // so far; its bytes are left to the walk mark by mark, which needs them
        std::size_t lineStart = 0;
        bool reading = false;     // a 《 is open at the block's end
        bool base = false;        // a ｜ or | waits for its 《
        bool afterReturn = false; // the line starts after a bare CR and keeps no character yet
        bool byMarks = false;     // the line is the walk mark by mark's (it holds other marks)
    };

    // Passes the block at `offset` when its marks are plain rubies that open and close in order,
    // with no line break inside a reading, no ｜ without its reading, no ［ and no line between
    // a bare CR and an LF that reading empties: no branch on the text. False, having changed
    // nothing, for any other block.
    [[gnu::always_inline]] static bool PassMasked(MaskedWalk& walk, std::size_t offset,
                                                  const MarkMasks& block) noexcept
    {
        constexpr std::uint64_t All = ~std::uint64_t{0};
        // Inside a reading after each byte.
        const std::uint64_t inside = block.openParity ^ (walk.reading ? All : 0);
        const std::uint64_t breaks = block.lineBreaks;
        const std::uint64_t events = block.opens | block.closes | block.bars | breaks;
        // The next mark or line break after each bar (and after a bar of the block before), by
        // carrying each bar's bit along the bytes that are neither; a carry out of the block, or a
        // bar at its last byte, is a bar whose base goes on into the next.
        const std::uint64_t starts = block.bars << 1 | std::uint64_t{walk.base};
        const std::uint64_t carried = starts + ~events;
        const std::uint64_t read = inside | block.closes | block.bars;
        // A line between a bare CR and an LF that reading would empty keeps its last mark, which
        // the walk mark by mark tells apart: the next character kept or line break after each
        // bare CR (and after one of a block before) must not be an LF.
        const std::uint64_t stops = ((block.leads | block.singles) & ~read) | breaks;
        const std::uint64_t afterReturns = block.loneReturns << 1 | std::uint64_t{walk.afterReturn};
        const std::uint64_t carriedReturns = afterReturns + ~stops;
        const std::uint64_t wrong =
            (block.opens & ~inside) | (block.closes & inside) | ((block.bars | breaks) & inside) |
            (carried & events & ~block.opens) | block.brackets | (carriedReturns & block.lineFeeds);
        if ((wrong != 0) | walk.byMarks)
            return false;
        walk.total.doubleByte += std::popcount(block.leads & read);
        if (((block.singles | block.doubleBlanks) & read) != 0) [[unlikely]] {
            walk.total.singleByte += std::popcount(block.counted & read);
            walk.total.doubleByteSpaces += std::popcount(block.doubleBlanks & read);
        }
        const auto lineStart =
            offset + ByteBlock::Size - static_cast<std::size_t>(std::countl_zero(breaks | 1));
        walk.lineStart = breaks != 0 ? lineStart : walk.lineStart;
        walk.reading = static_cast<bool>(inside >> 63);
        walk.base = (carried < starts) | static_cast<bool>(block.bars >> 63);
        walk.afterReturn =
            (carriedReturns < afterReturns) | static_cast<bool>(block.loneReturns >> 63);
        return true;
    }

    // The block at `offset` mark by mark, the line taken over from its start; the walk goes on
    // by masks after it where the line allows.
    MaskedWalk MarkedBlock(MaskedWalk walk, std::size_t offset, const MarkMasks& block);
    // Ends the walk by masks: its last line is told to the walk mark by mark. Then Finish.
    void FinishMasked(const MaskedWalk& walk);

private:
    enum class State : unsigned char
    {
        Outside,  // no mark yet on this line
        Between,  // after the last reading of the line, or a 》 that closes nothing
        Base,     // after a ｜ or |, before its 《
        Reading,  // after a 《, before its 》
        Otherwise // the line holds other marks: TextAsRead reads it
    };

    // What the walk mark by mark carries from block to block.
    struct Walk
    {
        State state = State::Outside;
        bool lineAfterReturn = false; // the line starts after a CR
        bool singlesInOpen = false;   // a single-byte character stands in the open reading, in a
                                      // block before
        std::size_t lineStart = 0;
        std::size_t open = 0; // the 《 of the reading being read
        LeftOut line;         // what the line's plain rubies leave out so far
        LeftOut total;        // what the lines before it left out
    };

    void TakeLineOver(const MaskedWalk& walk, std::size_t end);
    MaskedWalk HandLineOver(std::size_t end) const noexcept;

    // Double-byte characters whose first byte is 0x81 and whose second is 0x62-0x74 (｜ ［ 《 》
    // and a few other signs that the walk of the marks passes over), and every |.
    std::uint64_t MayBeMarks(std::size_t offset,
                             const CharacterBlocks::Block& walked) const noexcept
    {
        static constexpr ByteRange Trails[] = {{0x62, 0x74}};
        const unsigned char next = NextByte(offset);
        const std::uint64_t trails =
            walked.bytes.InRanges(Trails) >> 1 | std::uint64_t{next >= 0x62 && next <= 0x74} << 63;
        return (walked.roles.lead & walked.bytes.Equal(0x81) & trails) |
               (walked.singles & walked.bytes.Equal('|'));
    }
    unsigned char NextByte(std::size_t offset) const noexcept
    {
        const std::size_t next = offset + ByteBlock::Size;
        return next < FText.size() ? static_cast<unsigned char>(FText[next]) : 0;
    }

    // A line read alone (ReadAlone) takes memory: these may throw std::bad_alloc.
    void Marks(std::size_t offset, std::uint64_t singles, std::uint64_t marks,
               std::uint64_t lineBreaks);

    void AtBaseMark(std::size_t length) noexcept;
    void AtOpen(std::size_t position) noexcept;
    void AtClose(std::size_t position, std::size_t offset, std::uint64_t singles) noexcept;
    void EndLine(std::size_t end);
    LeftOut ReadAlone(std::size_t end) const;

    std::string_view FText;
    CountOptions FOptions;
    bool FExact; // double-byte blanks are told apart: every reading is counted character by
                 // character
    Walk FWalk;
    std::size_t FLastLineLeftOut = 0; // bytes the last line lost
};
