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

LeftOut CountPiece(std::string_view piece, const CountOptions& options) noexcept
{
    LeftOut counted;
    counted.bytes = static_cast<std::int64_t>(piece.size());
    for (std::size_t i = 0; i < piece.size();) {
        const auto byte = static_cast<unsigned char>(piece[i]);
        if (ShiftJis::IsLeadByte(byte)) {
            ++counted.doubleByte;
            counted.doubleByteSpaces +=
                byte == 0x81 && i + 1 < piece.size() && piece[i + 1] == 0x40;
            i += 2;
            continue;
        }
        const bool uncounted = byte == ShiftJis::CR || byte == ShiftJis::LF ||
                               (byte == ShiftJis::Space && !options.countSpace) ||
                               (byte == ShiftJis::Tab && !options.countTab);
        counted.singleByte += !uncounted;
        ++i;
    }
    return counted;
}

void LeftOutByReading::Marks(std::size_t offset, const CharacterBlocks::Block& walked,
                             std::uint64_t marks, std::uint64_t lineBreaks) noexcept
{
    for (std::uint64_t events = marks | lineBreaks; events != 0; events &= events - 1) {
        const int bit = std::countr_zero(events);
        const std::size_t position = offset + static_cast<std::size_t>(bit);
        if ((lineBreaks >> bit) & 1) {
            if (FState != State::Outside)
                EndLine(position);
            FLineStart = position + 1;
            continue;
        }
        if (FState == State::Otherwise)
            continue;
        if (walked.bytes[static_cast<std::size_t>(bit)] == '|') {
            AtBaseMark(1);
            continue;
        }
        const unsigned char second = bit + 1 < static_cast<int>(ByteBlock::Size)
                                         ? walked.bytes[static_cast<std::size_t>(bit) + 1]
                                         : NextByte(offset);
        if (FState == State::Outside)
            FState = State::Between;
        switch (second) {
        case 0x62: // ｜
            AtBaseMark(2);
            break;
        case 0x73: // 《
            AtOpen(position);
            break;
        case 0x74: // 》
            AtClose(position, offset, walked.singles);
            break;
        case 0x6D: // ［
            FState = State::Otherwise;
            break;
        default: // another sign: text
            break;
        }
    }
    if (FState == State::Reading)
        FSinglesInOpen = FSinglesInOpen || (walked.singles & BitsFrom(FOpen, offset)) != 0;
}

// A ｜ (2 bytes) or | (1 byte) before the base of a ruby goes with its reading.
void LeftOutByReading::AtBaseMark(std::size_t length) noexcept
{
    if (FState == State::Base || FState == State::Reading) {
        FState = State::Otherwise; // a mark kept, or a mark inside a reading
        return;
    }
    FState = State::Base;
    if (length == 2)
        ++FLine.doubleByte;
    else
        ++FLine.singleByte; // a | is never a blank
    FLine.bytes += static_cast<std::int64_t>(length);
}

void LeftOutByReading::AtOpen(std::size_t position) noexcept
{
    if (FState == State::Reading) {
        FState = State::Otherwise; // 《《 or a 《 inside a reading
        return;
    }
    FState = State::Reading;
    FOpen = position;
    FSinglesInOpen = false;
}

// A 》 closes the reading being read; anywhere else it is text.
void LeftOutByReading::AtClose(std::size_t position, std::size_t offset,
                               std::uint64_t singles) noexcept
{
    if (FState != State::Reading)
        return;
    FState = State::Between;
    const std::size_t end = position + 2;
    const std::string_view reading(FText.data() + FOpen, end - FOpen);
    const bool singlesInBlock = (singles & BitsFrom(FOpen, offset) & BitsBefore(position, offset));
    if (FExact || FSinglesInOpen || singlesInBlock) {
        FLine += CountPiece(reading, FOptions);
        return;
    }
    // Only double-byte characters: two bytes each.
    FLine.doubleByte += static_cast<std::int64_t>(reading.size() / 2);
    FLine.bytes += static_cast<std::int64_t>(reading.size());
}

void LeftOutByReading::EndLine(std::size_t end) noexcept
{
    // Taking out all of a line between a bare CR and an LF would join the two line breaks into
    // one: TextAsRead keeps the last mark.
    const bool afterCR = FLineStart > 0 && FText[FLineStart - 1] == '\r';
    const bool beforeLF = end < FText.size() && FText[end] == '\n';
    const bool emptied = static_cast<std::int64_t>(end - FLineStart) == FLine.bytes;
    const bool plain = FState == State::Between && !(afterCR && beforeLF && emptied);
    const LeftOut lost = plain ? FLine : ReadAlone(end);
    FTotal += lost;
    FLastLineLeftOut = static_cast<std::size_t>(lost.bytes);
    FState = State::Outside;
    FLine = {};
}

// The line from FLineStart to `end` read by TextAsRead's passes, with the line breaks around it
// (a mark's fate may depend on them).
LeftOut LeftOutByReading::ReadAlone(std::size_t end) const noexcept
{
    const std::size_t from = FLineStart > 0 ? FLineStart - 1 : 0;
    const std::size_t to = std::min(end + 1, FText.size());
    LeftOut lost;
    TakeOutRubyAndNotes(FText.substr(from, to - from), [&](std::string_view passed,
                                                           std::span<const TextPiece> pieces) {
        for (const TextPiece& piece : pieces)
            lost += CountPiece(passed.substr(piece.from, piece.to - piece.from), FOptions);
    });
    return lost;
}

void LeftOutByReading::Finish() noexcept
{
    FLastLineLeftOut = 0;
    if (FState != State::Outside)
        EndLine(FText.size());
}

TextEnd LeftOutByReading::End() const noexcept
{
    if (FText.size() - FLineStart > FLastLineLeftOut)
        return {false, false}; // the last line keeps a character, and it is no line break
    if (FLineStart == 0)
        return {};
    return {false, FText[FLineStart - 1] == '\n'};
}
