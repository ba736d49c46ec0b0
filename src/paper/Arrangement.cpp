// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Arrangement.h"

#include "CharacterSetIndex.h"
#include "TPaper.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <limits>

namespace {

using ShiftJis::Character;

constexpr std::string_view LineBreak = "\r\n";
constexpr std::string_view DoubleByteSpace = "\x81\x40"; // "　"
constexpr std::size_t Nowhere = std::numeric_limits<std::size_t>::max();

// Walks the source once. Characters that go to the output unchanged are not copied one by one:
// they pile up as a pending run of source bytes, copied in one go when a line break, a dropped
// byte or a replaced tab interrupts them. Positions "in the output" below count that pending run.
class Arranger
{
public:
    Arranger(const TPaper& paper, std::string_view text, bool writeText)
        : FText(text), FWriteText(writeText),
          FLimit(2 * std::int64_t{std::max(paper.Column, std::int32_t{1})} - 1), FTab(paper.Tab),
          FNoFirst(paper.NoFirstChar), FForceFirst(paper.ForceFirstChar)
    {
        if (writeText)
            FOut.reserve(text.size() + text.size() / 16 + 16);
    }

    ArrangedText Run();

private:
    void SkipFittingCharacters();
    void Place(const Character& ch, bool fits);
    void PlaceTab();
    void SourceLineBreak();
    void Keep(const Character& ch);
    void Flush(std::size_t upTo);
    void AppendBreak();
    void NotePair(std::size_t end);
    void Write(std::string_view bytes);
    std::size_t OutputLength() const { return FWritten + (FPosition - FPending); }
    bool OutputEndsWithBreak() const { return FRunEnd == OutputLength(); }

    std::string_view FText;
    bool FWriteText;     // false when only the lines are counted
    std::int64_t FLimit; // units on a line minus one: 2 * Column - 1
    std::uint8_t FTab;
    CharacterSetIndex FNoFirst;
    CharacterSetIndex FForceFirst;

    std::string FOut;
    std::size_t FWritten = 0;  // length of the output, written or not
    std::size_t FPosition = 0; // next source byte
    std::size_t FPending = 0;  // first source byte not yet copied to FOut
    std::int64_t FUsed = 0;    // units on the current manuscript line

    // CR LF pairs of the output: how many, and the run of adjacent pairs that ends last.
    std::int64_t FPairs = 0;
    std::size_t FRunStart = Nowhere;
    std::size_t FRunEnd = Nowhere;
    std::size_t FLeadingEnd = 0;      // end of the pairs the output begins with
    std::size_t FLoneCrEnd = Nowhere; // just after a source CR kept as a character
};

ArrangedText Arranger::Run()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(FText.data());
    while (FPosition < FText.size()) {
        SkipFittingCharacters();
        if (FPosition >= FText.size())
            break;
        const unsigned char byte = bytes[FPosition];
        if (ShiftJis::IsLeadByte(byte))
            Place(ShiftJis::CharacterAt(FText, FPosition), FUsed < FLimit);
        else if (byte == ShiftJis::Tab)
            PlaceTab();
        else if (byte == ShiftJis::CR && FPosition + 1 < FText.size() &&
                 bytes[FPosition + 1] == ShiftJis::LF)
            SourceLineBreak();
        else
            Place(ShiftJis::CharacterAt(FText, FPosition), FUsed <= FLimit);
    }
    Flush(FText.size());

    // Drop the line breaks at both ends: the output is cut once, never erased pair by pair.
    std::size_t end = FWritten;
    if (FRunEnd == end)
        end = FRunStart;
    const std::size_t start = FLeadingEnd;
    if (end <= start)
        return {};
    const std::int64_t dropped = static_cast<std::int64_t>((start + FWritten - end) / 2);
    if (FWriteText) {
        FOut.resize(end);
        if (start > 0)
            FOut.erase(0, start);
    }
    return {std::move(FOut), FPairs - dropped};
}

// The common case, kept tight for whole novels: characters that fit on the current line and
// need no further look (not a tab, CR or LF, and not a lead byte that ends the text).
void Arranger::SkipFittingCharacters()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(FText.data());
    const std::size_t size = FText.size();
    std::size_t position = FPosition;
    std::int64_t used = FUsed;
    while (position < size) {
        // A whole novel does not fit in the cache: ask for the text ahead of the walk.
        __builtin_prefetch(bytes + position + 1024);
        const unsigned char byte = bytes[position];
        if (ShiftJis::IsLeadByte(byte)) {
            if (used >= FLimit || position + 1 >= size)
                break;
            position += 2;
            used += 2;
        } else if (byte != ShiftJis::Tab && byte != ShiftJis::LF && byte != ShiftJis::CR) {
            if (used > FLimit)
                break;
            ++position;
            ++used;
        } else {
            break;
        }
    }
    FPosition = position;
    FUsed = used;
}

// A character of the source that takes its place on the line: it fits, hangs beyond the last
// cell when it may not begin a line, or else begins the next line.
void Arranger::Place(const Character& ch, bool fits)
{
    const std::int64_t width = ch.doubleByte ? 2 : 1;
    if (fits) {
        Keep(ch);
        FUsed += width;
    } else if (FNoFirst.Contains(ch)) {
        Keep(ch);
        Flush(FPosition);
        AppendBreak();
        FUsed = 0;
    } else {
        Flush(FPosition);
        AppendBreak();
        Keep(ch);
        FUsed = width;
    }
}

void Arranger::PlaceTab()
{
    if (FTab == UseTab) {
        if (FUsed > FLimit) {
            Flush(FPosition);
            AppendBreak();
            FUsed = 0;
        }
        ++FPosition; // the tab stays, one unit wide
        ++FUsed;
        return;
    }
    Flush(FPosition);
    FPending = ++FPosition; // the tab itself is never copied
    if (FTab == DeleteTab)
        return;
    if (FUsed >= FLimit) {
        AppendBreak();
        FUsed = 0;
    }
    Write(DoubleByteSpace);
    FUsed += 2;
}

// A line break of the source survives only before a line-start character such as a paragraph
// indent or an opening bracket; otherwise the source lines run on into each other.
void Arranger::SourceLineBreak()
{
    Flush(FPosition);
    FPosition += 2;
    FPending = FPosition;
    if (FPosition >= FText.size())
        return;
    const Character next = ShiftJis::CharacterAt(FText, FPosition);
    if (!FForceFirst.Contains(next))
        return;
    if (!OutputEndsWithBreak())
        AppendBreak();
    Keep(next);
    FUsed = next.doubleByte ? 2 : 1;
}

// Moves past a source character that goes to the output as it is.
void Arranger::Keep(const Character& ch)
{
    if (!ch.doubleByte && ch.code == ShiftJis::CR) {
        FLoneCrEnd = OutputLength() + 1;
    } else if (!ch.doubleByte && ch.code == ShiftJis::LF && FLoneCrEnd == OutputLength()) {
        // A CR and an LF that were apart in the source meet here; they read as a line break.
        NotePair(OutputLength() + 1);
    }
    FPosition += ch.length;
}

void Arranger::Flush(std::size_t upTo)
{
    Write(FText.substr(FPending, upTo - FPending));
    FPending = upTo;
}

void Arranger::Write(std::string_view bytes)
{
    if (FWriteText)
        FOut += bytes;
    FWritten += bytes.size();
}

// A break at the very start would only be dropped again, so it is never written.
void Arranger::AppendBreak()
{
    if (FWritten == 0)
        return;
    Write(LineBreak);
    NotePair(FWritten);
}

void Arranger::NotePair(std::size_t end)
{
    ++FPairs;
    if (end - 2 != FRunEnd)
        FRunStart = end - 2;
    FRunEnd = end;
    if (FRunStart == 0)
        FLeadingEnd = end;
}

} // namespace

ArrangedText ArrangeManuscript(const TPaper& paper, std::string_view text, bool writeText)
{
    return Arranger(paper, text, writeText).Run();
}
