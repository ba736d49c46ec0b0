// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeftOutByReading.h"

#include "TextAsRead.h"

#include <algorithm>
#include <span>

namespace {

// The bits of a block from the byte at `from` (a position in the text) on.
std::uint64_t BitsFrom(std::size_t from, std::size_t offset) noexcept
{
    const std::size_t first = from > offset ? from - offset : 0;
    return first >= ByteBlock::Size ? 0 : ~std::uint64_t{0} << first;
}

// The bits of a block before the byte at `to`.
std::uint64_t BitsBefore(std::size_t to, std::size_t offset) noexcept
{
    const std::size_t last = to - offset;
    return last >= ByteBlock::Size ? ~std::uint64_t{0} : (std::uint64_t{1} << last) - 1;
}

} // namespace

LeftOut CountCharacters(std::string_view text, std::size_t from, std::size_t to,
                        const CountOptions& options) noexcept
{
    LeftOut counted;
    std::size_t i = from;
    while (i < to) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (ShiftJis::IsLeadByte(byte)) { // a lead byte at the text's end counts as its character
            ++counted.doubleByte;
            counted.doubleByteSpaces += byte == 0x81 && i + 1 < text.size() && text[i + 1] == 0x40;
            i += 2;
            continue;
        }
        const bool uncounted = byte == ShiftJis::CR || byte == ShiftJis::LF ||
                               (byte == ShiftJis::Space && !options.countSpace) ||
                               (byte == ShiftJis::Tab && !options.countTab);
        counted.singleByte += !uncounted;
        ++i;
    }
    counted.bytes = static_cast<std::int64_t>(std::min(i, text.size()) - from);
    return counted;
}

void LeftOutByReading::Marks(std::size_t offset, std::uint64_t singles, std::uint64_t marks,
                             std::uint64_t lineBreaks)
{
    for (std::uint64_t events = marks | lineBreaks; events != 0; events &= events - 1) {
        const int bit = std::countr_zero(events);
        const std::size_t position = offset + static_cast<std::size_t>(bit);
        if ((lineBreaks >> bit) & 1) {
            if (FWalk.state != State::Outside)
                EndLine(position);
            FWalk.lineStart = position + 1;
            FWalk.lineAfterReturn = FText[position] == '\r';
            continue;
        }
        if (FWalk.state == State::Otherwise)
            continue;
        if (FText[position] == '|') {
            AtBaseMark(1);
            continue;
        }
        // A mark's first byte is 0x81, a lead byte: its second is in the text.
        const auto second = static_cast<unsigned char>(FText[position + 1]);
        if (FWalk.state == State::Outside)
            FWalk.state = State::Between;
        switch (second) {
        case 0x62: // ｜
            AtBaseMark(2);
            break;
        case 0x73: // 《
            AtOpen(position);
            break;
        case 0x74: // 》
            AtClose(position, offset, singles);
            break;
        case 0x6D: // ［
            FWalk.state = State::Otherwise;
            break;
        default: // another sign: text
            break;
        }
    }
    if (FWalk.state == State::Reading)
        FWalk.singlesInOpen = FWalk.singlesInOpen || (singles & BitsFrom(FWalk.open, offset)) != 0;
}

// A ｜ (2 bytes) or | (1 byte) before the base of a ruby goes with its reading.
void LeftOutByReading::AtBaseMark(std::size_t length) noexcept
{
    if (FWalk.state == State::Base || FWalk.state == State::Reading) {
        FWalk.state = State::Otherwise; // a mark kept, or a mark inside a reading
        return;
    }
    FWalk.state = State::Base;
    if (length == 2)
        ++FWalk.line.doubleByte;
    else
        ++FWalk.line.singleByte; // a | is never a blank
    FWalk.line.bytes += static_cast<std::int64_t>(length);
}

void LeftOutByReading::AtOpen(std::size_t position) noexcept
{
    if (FWalk.state == State::Reading) {
        FWalk.state = State::Otherwise; // 《《 or a 《 inside a reading
        return;
    }
    FWalk.state = State::Reading;
    FWalk.open = position;
    FWalk.singlesInOpen = false;
}

// A 》 closes the reading being read; anywhere else it is text.
void LeftOutByReading::AtClose(std::size_t position, std::size_t offset,
                               std::uint64_t singles) noexcept
{
    if (FWalk.state != State::Reading)
        return;
    FWalk.state = State::Between;
    const std::size_t end = position + 2;
    const std::string_view reading(FText.data() + FWalk.open, end - FWalk.open);
    const bool singlesInBlock =
        (singles & BitsFrom(FWalk.open, offset) & BitsBefore(position, offset));
    if (FExact || FWalk.singlesInOpen || singlesInBlock) {
        FWalk.line += CountCharacters(reading, 0, reading.size(), FOptions);
        return;
    }
    // Only double-byte characters: two bytes each.
    FWalk.line.doubleByte += static_cast<std::int64_t>(reading.size() / 2);
    FWalk.line.bytes += static_cast<std::int64_t>(reading.size());
}

void LeftOutByReading::EndLine(std::size_t end)
{
    // Taking out all of a line between a bare CR and an LF would join the two line breaks into
    // one: TextAsRead keeps the last mark.
    const bool afterCR = FWalk.lineStart > 0 && FText[FWalk.lineStart - 1] == '\r';
    const bool beforeLF = end < FText.size() && FText[end] == '\n';
    const bool emptied = static_cast<std::int64_t>(end - FWalk.lineStart) == FWalk.line.bytes;
    const bool plain = FWalk.state == State::Between && !(afterCR && beforeLF && emptied);
    const LeftOut lost = plain ? FWalk.line : ReadAlone(end);
    FWalk.total += lost;
    FLastLineLeftOut = static_cast<std::size_t>(lost.bytes);
    FWalk.state = State::Outside;
    FWalk.line = {};
}

// The line from FWalk.lineStart to `end` read by TextAsRead's passes, with the line breaks around
// it (a mark's fate may depend on them).
LeftOut LeftOutByReading::ReadAlone(std::size_t end) const
{
    const std::size_t from = FWalk.lineStart > 0 ? FWalk.lineStart - 1 : 0;
    const std::size_t to = std::min(end + 1, FText.size());
    LeftOut lost;
    TakeOutRubyAndNotes(FText.substr(from, to - from), [&](std::string_view passed,
                                                           std::span<const TextPiece> pieces) {
        for (const TextPiece& piece : pieces) {
            const std::string_view taken = passed.substr(piece.from, piece.to - piece.from);
            lost += CountCharacters(taken, 0, taken.size(), FOptions);
        }
    });
    return lost;
}

// The walk by masks passed the line from its start up to `end` (its marks plain rubies): the
// walk mark by mark takes it over there, with what the line's rubies leave out so far, and the
// total without what the walk by masks added for the line.
void LeftOutByReading::TakeLineOver(const MaskedWalk& walk, std::size_t end)
{
    // The line read again mark by mark from its start, which is a character's start: its marks
    // are plain rubies, so nothing but the line's state and what it leaves out comes of it.
    FWalk = {};
    FWalk.lineStart = walk.lineStart;
    FWalk.lineAfterReturn = walk.lineStart > 0 && FText[walk.lineStart - 1] == '\r';
    CharacterBlocks blocks(FText.substr(walk.lineStart));
    for (std::size_t offset = walk.lineStart; offset < end; offset += ByteBlock::Size) {
        const CharacterBlocks::Block walked = blocks.At(offset - walk.lineStart);
        const std::uint64_t before = BitsBefore(end, offset);
        Marks(offset, walked.singles & before, MayBeMarks(offset, walked) & before, 0);
    }
    LeftOut added = FWalk.line;
    if (FWalk.state == State::Reading)
        added += CountCharacters(FText, FWalk.open, end, FOptions);
    FWalk.total = walk.total;
    FWalk.total -= added;
}

// The walk by masks takes the line over again at `end`, a block's end, unless it holds other
// marks than plain rubies.
LeftOutByReading::MaskedWalk LeftOutByReading::HandLineOver(std::size_t end) const noexcept
{
    MaskedWalk walk;
    walk.byMarks = FWalk.state == State::Otherwise;
    walk.total = FWalk.total;
    walk.total += FWalk.line;
    if (FWalk.state == State::Reading)
        walk.total += CountCharacters(FText, FWalk.open, end, FOptions);
    walk.lineStart = FWalk.lineStart;
    walk.reading = FWalk.state == State::Reading;
    walk.base = FWalk.state == State::Base;
    walk.afterReturn = FWalk.lineAfterReturn;
    return walk;
}

LeftOutByReading::MaskedWalk LeftOutByReading::MarkedBlock(MaskedWalk walk, std::size_t offset,
                                                           const MarkMasks& block)
{
    if (!walk.byMarks)
        TakeLineOver(walk, offset);
    Marks(offset, block.singles, block.mayBeMarks, block.lineBreaks);
    return HandLineOver(std::min(offset + ByteBlock::Size, FText.size()));
}

void LeftOutByReading::FinishMasked(const MaskedWalk& walk)
{
    if (!walk.byMarks)
        TakeLineOver(walk, FText.size());
}

void LeftOutByReading::Finish()
{
    FLastLineLeftOut = 0;
    if (FWalk.state != State::Outside)
        EndLine(FText.size());
}

TextEnd LeftOutByReading::End() const noexcept
{
    if (FText.size() - FWalk.lineStart > FLastLineLeftOut)
        return {false, false}; // the last line keeps a character, and it is no line break
    if (FWalk.lineStart == 0)
        return {};
    return {false, FText[FWalk.lineStart - 1] == '\n'};
}
