// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's figures kept per logical line, so that an edit recounts only the lines it touched.
// A line's figures come from its own Shift-JIS bytes alone; the text's figures are the lines'
// figures added up, with the CR LF between lines and the words carried over a line end.

#include "TextStatistics.h"
#include "WordCount.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

struct LineFigures
{
    std::int32_t characters = 0; // under the counting switches
    std::int32_t bytes = 0;      // without the line break
    LineWords words;
    bool emptyAsRead = true; // nothing left once ruby and notes are left out (or nothing at all)
    bool hasNul = false;     // the text ends at a NUL: only a whole count says where
    // The line's bytes in the encoding the text is to be saved in, when that is not Shift-JIS;
    // filled in by whoever holds the line's characters (the bytes above cannot tell).
    std::int32_t encodedBytes = 0;

    friend bool operator==(const LineFigures&, const LineFigures&) = default;
};

LineFigures CountLine(std::string_view line, const CountOptions& options,
                      const LineWordCounter& words) noexcept;

// A stretch of text that begins and ends at any point: some lines joined by CR LF.
struct TextSpan
{
    std::int64_t characters = 0;
    std::int64_t bytes = 0;
    std::int64_t words = 0;
    std::int64_t breaks = 0;       // CR LF inside
    std::int64_t encodedBytes = 0; // the lines' encodedBytes, without the breaks
    bool beginsWithWord = false;
    bool endsInJoin = false;
    bool lastLineEmpty = true;
    bool hasNul = false;

    static TextSpan OfLine(const LineFigures& line) noexcept;
    // `first`, a CR LF, then `second`.
    static TextSpan Join(const TextSpan& first, const TextSpan& second) noexcept;
    // Characters, logical lines, bytes and words, as CountText and CountWords give them for the
    // text (not for a text with a NUL: hasNul asks for a whole count).
    TextStatistics Statistics() const noexcept;
};

// The figures of every line of a text in order, in runs of at most a few hundred lines, each with
// its sum. Replacing lines costs the runs the change touches, whether or not the number of lines
// changes; a sum over any run of lines adds up the runs' sums and counts only its two partial runs.
class LineSums
{
public:
    explicit LineSums(std::size_t runLength = 512) : FRunLength(runLength < 1 ? 1 : runLength) {}

    void Assign(std::vector<LineFigures> lines);
    // Puts `with` in the place of the `count` lines from `first`.
    void Replace(std::size_t first, std::size_t count, std::vector<LineFigures> with);
    std::size_t Count() const noexcept { return FCount; }
    const LineFigures& Line(std::size_t index) const;
    // Lines [first, last), last > first, joined by CR LF.
    TextSpan Range(std::size_t first, std::size_t last) const noexcept;

private:
    struct Sum
    {
        std::int64_t characters = 0;
        std::int64_t bytes = 0;
        std::int64_t words = 0; // each line's words less the join with the line before
        std::int64_t nuls = 0;
        std::int64_t encodedBytes = 0;
        void Add(const Sum& other) noexcept;
    };
    struct Run
    {
        std::vector<LineFigures> lines;
        Sum sum; // the lines' entries, the first one's join with the run before included
    };
    static Sum Entry(const LineFigures* before, const LineFigures& line) noexcept;
    std::vector<Run> CutIntoRuns(std::vector<LineFigures> lines) const;
    const LineFigures* LastBefore(std::size_t run) const noexcept;
    void Resum(std::size_t run) noexcept;
    // The run holding line `index` and the line's place in it; one past the last line gives the
    // last run's end.
    std::pair<std::size_t, std::size_t> Find(std::size_t index) const noexcept;

    std::size_t FRunLength;
    std::size_t FCount = 0;
    std::vector<Run> FRuns; // never an empty run
};
