#pragma once
// The panel's figures kept per logical line, so that an edit recounts only the lines it touched.
// A line's figures come from its own Shift-JIS bytes alone; the text's figures are the lines'
// figures added up, with the CR LF between lines and the words carried over a line end.

#include "TextStatistics.h"
#include "WordCount.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
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
    std::int64_t encodedBytes = 0;

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

// The figures of every line of a text in order, with sums over any run of lines in logarithmic
// time (a Fenwick tree over groups of lines). Replacing lines by as many others costs a logarithmic
// update per line; a change in the number of lines rebuilds the sums in linear time.
class LineSums
{
public:
    void Assign(std::vector<LineFigures> lines);
    // Puts `with` in the place of the `count` lines from `first`.
    void Replace(std::size_t first, std::size_t count, std::vector<LineFigures> with);
    std::size_t Count() const noexcept { return FLines.size(); }
    const LineFigures& Line(std::size_t index) const { return FLines[index]; }
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
        void Add(const Sum& other, std::int64_t sign) noexcept;
    };
    Sum Entry(std::size_t index) const noexcept;
    Sum Prefix(std::size_t count) const noexcept;
    void Update(std::size_t index, const Sum& before, const Sum& after) noexcept;
    void Rebuild();

    // The tree adds up groups of lines, which keeps it small beside the lines themselves; a sum
    // adds the lines of a last, partial group one by one.
    static constexpr std::size_t Group = 16;
    std::vector<LineFigures> FLines;
    std::vector<Sum> FTree; // FTree[i - 1] sums the groups (i - lowbit(i), i]
};
