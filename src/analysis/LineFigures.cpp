// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineFigures.h"
#include "analysis/BeforeNul.h"

#include "Saturate.h"
#include "TextAsRead.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

namespace {

bool Joins(bool endsInJoin, bool beginsWithWord) noexcept
{
    return endsInJoin && beginsWithWord;
}

} // namespace

LineFigures CountLine(std::string_view line, const CountOptions& options,
                      const LineWordCounter& words) noexcept
{
    // Ruby and notes close on their own line, so a line is read on its own.
    const ReadingText asRead(line, options.excludeRuby);
    LineFigures figures;
    figures.characters = SaturateToInt32(CountText(asRead, WithRuby(options)).characters);
    figures.bytes = SaturateToInt32(static_cast<std::int64_t>(line.size()));
    figures.words = words.Count(asRead);
    figures.emptyAsRead = asRead.View().empty();
    figures.hasNul = HoldsNul(line);
    return figures;
}

TextSpan TextSpan::OfLine(const LineFigures& line) noexcept
{
    TextSpan span;
    span.characters = line.characters;
    span.bytes = line.bytes;
    span.words = line.words.words;
    span.beginsWithWord = line.words.beginsWithWord;
    span.endsInJoin = line.words.endsInJoin;
    span.lastLineEmpty = line.emptyAsRead;
    span.hasNul = line.hasNul;
    span.encodedBytes = line.encodedBytes;
    return span;
}

TextSpan TextSpan::Join(const TextSpan& first, const TextSpan& second) noexcept
{
    TextSpan span;
    span.characters = first.characters + second.characters;
    span.bytes = first.bytes + 2 + second.bytes;
    span.words = first.words + second.words - Joins(first.endsInJoin, second.beginsWithWord);
    span.breaks = first.breaks + 1 + second.breaks;
    span.beginsWithWord = first.beginsWithWord;
    span.endsInJoin = second.endsInJoin;
    span.lastLineEmpty = second.lastLineEmpty;
    span.hasNul = first.hasNul || second.hasNul;
    span.encodedBytes = first.encodedBytes + second.encodedBytes;
    return span;
}

TextStatistics TextSpan::Statistics() const noexcept
{
    TextStatistics statistics;
    statistics.characters = characters;
    statistics.bytes = bytes;
    statistics.words = words;
    // A text that ends with a line break has no further line; an empty text has none at all.
    if (breaks > 0 || !lastLineEmpty)
        statistics.lines = breaks + (breaks > 0 && lastLineEmpty ? 0 : 1);
    return statistics;
}

void LineSums::Sum::Add(const Sum& other) noexcept
{
    characters += other.characters;
    bytes += other.bytes;
    words += other.words;
    nuls += other.nuls;
    encodedBytes += other.encodedBytes;
}

LineSums::Sum LineSums::Entry(const LineFigures* before, const LineFigures& line) noexcept
{
    const bool joined = before && Joins(before->words.endsInJoin, line.words.beginsWithWord);
    return {line.characters, line.bytes, std::int64_t{line.words.words} - joined,
            line.hasNul ? 1 : 0, line.encodedBytes};
}

const LineFigures* LineSums::LastBefore(std::size_t run) const noexcept
{
    return run > 0 ? &FRuns[run - 1].lines.back() : nullptr;
}

void LineSums::Resum(std::size_t run) noexcept
{
    Run& r = FRuns[run];
    r.sum = {};
    const LineFigures* before = LastBefore(run);
    for (const LineFigures& line : r.lines) {
        r.sum.Add(Entry(before, line));
        before = &line;
    }
}

std::pair<std::size_t, std::size_t> LineSums::Find(std::size_t index) const noexcept
{
    for (std::size_t run = 0; run < FRuns.size(); ++run) {
        if (index < FRuns[run].lines.size())
            return {run, index};
        index -= FRuns[run].lines.size();
    }
    if (FRuns.empty())
        return {0, 0};
    return {FRuns.size() - 1, FRuns.back().lines.size()};
}

const LineFigures& LineSums::Line(std::size_t index) const
{
    const auto [run, at] = Find(index);
    return FRuns[run].lines[at];
}

void LineSums::Assign(std::vector<LineFigures> lines)
{
    FRuns.clear();
    FCount = 0;
    Replace(0, 0, std::move(lines));
}

// Lines cut into as few runs as hold them, of even length: a run grown too long splits in halves.
std::vector<LineSums::Run> LineSums::CutIntoRuns(std::vector<LineFigures> lines) const
{
    const std::size_t pieces = (lines.size() + FRunLength - 1) / FRunLength;
    std::vector<Run> runs(pieces);
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        const auto from = static_cast<std::ptrdiff_t>(lines.size() * piece / pieces);
        const auto to = static_cast<std::ptrdiff_t>(lines.size() * (piece + 1) / pieces);
        runs[piece].lines.assign(std::make_move_iterator(lines.begin() + from),
                                 std::make_move_iterator(lines.begin() + to));
    }
    return runs;
}

// The runs from the one holding `first` to the one holding the last replaced line are cut anew
// from their lines kept before and after the change, with the new lines between; a run that would
// be left short takes in the run after it. Then the run after the new ones sums its first line's
// join again.
void LineSums::Replace(std::size_t first, std::size_t count, std::vector<LineFigures> with)
{
    if (first + count > FCount)
        return;
    FCount = FCount - count + with.size();
    std::size_t firstRun = 0;
    std::size_t end = 0; // of the runs replaced
    std::vector<LineFigures> lines;
    if (FRuns.empty()) {
        lines = std::move(with);
    } else {
        const auto [run, firstAt] = Find(first);
        firstRun = run;
        std::size_t lastRun = run;
        std::size_t lastEnd = firstAt;
        if (count > 0)
            std::tie(lastRun, lastEnd) = Find(first + count - 1);
        lastEnd += count > 0 ? 1 : 0;
        const std::vector<LineFigures>& head = FRuns[firstRun].lines;
        const std::vector<LineFigures>& tail = FRuns[lastRun].lines;
        lines.reserve(firstAt + with.size() + (tail.size() - lastEnd));
        lines.insert(lines.end(), head.begin(),
                     head.begin() + static_cast<std::ptrdiff_t>(firstAt));
        lines.insert(lines.end(), std::make_move_iterator(with.begin()),
                     std::make_move_iterator(with.end()));
        lines.insert(lines.end(), tail.begin() + static_cast<std::ptrdiff_t>(lastEnd), tail.end());
        end = lastRun + 1;
        if (lines.size() < FRunLength / 4 && end < FRuns.size()) {
            const std::vector<LineFigures>& next = FRuns[end++].lines;
            lines.insert(lines.end(), next.begin(), next.end());
        }
    }
    std::vector<Run> runs = CutIntoRuns(std::move(lines));
    const std::size_t pieces = runs.size();
    FRuns.erase(FRuns.begin() + static_cast<std::ptrdiff_t>(firstRun),
                FRuns.begin() + static_cast<std::ptrdiff_t>(end));
    FRuns.insert(FRuns.begin() + static_cast<std::ptrdiff_t>(firstRun),
                 std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
    const std::size_t resummed = std::min(firstRun + pieces + 1, FRuns.size());
    for (std::size_t run = firstRun; run < resummed; ++run)
        Resum(run);
}

TextSpan LineSums::Range(std::size_t first, std::size_t last) const noexcept
{
    Sum sum;
    std::size_t begin = 0; // of the run
    for (std::size_t run = 0; run < FRuns.size() && begin < last; ++run) {
        const std::vector<LineFigures>& lines = FRuns[run].lines;
        const std::size_t runEnd = begin + lines.size();
        if (runEnd > first) {
            if (begin >= first && runEnd <= last) {
                sum.Add(FRuns[run].sum);
            } else {
                const std::size_t from = std::max(first, begin) - begin;
                const std::size_t to = std::min(last, runEnd) - begin;
                for (std::size_t i = from; i < to; ++i)
                    sum.Add(Entry(i > 0 ? &lines[i - 1] : LastBefore(run), lines[i]));
            }
        }
        begin = runEnd;
    }
    const LineFigures& firstLine = Line(first);
    const LineFigures& lastLine = Line(last - 1);
    TextSpan span;
    span.characters = sum.characters;
    span.breaks = static_cast<std::int64_t>(last - first) - 1;
    span.bytes = sum.bytes + 2 * span.breaks;
    // The first line's join with the line before the range lies outside it.
    span.words = sum.words + (first > 0 && Joins(Line(first - 1).words.endsInJoin,
                                                 firstLine.words.beginsWithWord));
    span.beginsWithWord = firstLine.words.beginsWithWord;
    span.endsInJoin = lastLine.words.endsInJoin;
    span.lastLineEmpty = lastLine.emptyAsRead;
    span.hasNul = sum.nuls > 0;
    span.encodedBytes = sum.encodedBytes;
    return span;
}
