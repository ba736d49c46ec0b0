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
};

// The characters of a piece of a few characters, counted one by one under the counting
// switches: a piece never holds a line break.
LeftOut CountPiece(std::string_view piece, const CountOptions& options) noexcept;

// Whether the text as read is empty, and whether it ends in a line feed.
struct TextEnd
{
    bool empty = true;
    bool lineFeed = false;
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
    void Block(std::size_t offset, const CharacterBlocks::Block& walked,
               std::uint64_t lineBreaks) noexcept
    {
        const std::uint64_t marks = MayBeMarks(offset, walked);
        if (marks == 0 && FState == State::Outside) {
            if (lineBreaks != 0)
                FLineStart = offset + ByteBlock::Size - std::countl_zero(lineBreaks);
            return;
        }
        Marks(offset, walked, marks, lineBreaks);
    }

    // The end of the text ends its last line; call once, after the last block.
    void Finish() noexcept;

    // What reading leaves out of the whole text.
    const LeftOut& Total() const noexcept { return FTotal; }
    // The end of the text as read (after Finish).
    TextEnd End() const noexcept;

private:
    enum class State : unsigned char
    {
        Outside,  // no mark yet on this line
        Between,  // after the last reading of the line, or a 》 that closes nothing
        Base,     // after a ｜ or |, before its 《
        Reading,  // after a 《, before its 》
        Otherwise // the line holds other marks: TextAsRead reads it
    };

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

    void Marks(std::size_t offset, const CharacterBlocks::Block& walked, std::uint64_t marks,
               std::uint64_t lineBreaks) noexcept;
    void AtBaseMark(std::size_t length) noexcept;
    void AtOpen(std::size_t position) noexcept;
    void AtClose(std::size_t position, std::size_t offset, std::uint64_t singles) noexcept;
    void EndLine(std::size_t end) noexcept;
    LeftOut ReadAlone(std::size_t end) const noexcept;

    std::string_view FText;
    CountOptions FOptions;
    bool FExact; // double-byte blanks are told apart: every reading is counted character by
                 // character
    State FState = State::Outside;
    std::size_t FLineStart = 0;
    LeftOut FLine;               // what the line's plain rubies leave out so far
    std::size_t FOpen = 0;       // the 《 of the reading being read
    bool FSinglesInOpen = false; // a single-byte character stands in it, in a block before
    LeftOut FTotal;
    std::size_t FLastLineLeftOut = 0; // bytes the last line lost
};
