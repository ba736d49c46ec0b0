#include "LineFigures.h"

#include "Saturate.h"
#include "TextAsRead.h"

#include <cstring>
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
    figures.characters = CountText(asRead, WithRuby(options)).characters;
    figures.bytes = SaturateToInt32(static_cast<std::int64_t>(line.size()));
    figures.words = words.Count(asRead);
    figures.emptyAsRead = asRead.View().empty();
    figures.hasNul = std::memchr(line.data(), 0, line.size()) != nullptr;
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
    statistics.characters = SaturateToInt32(characters);
    statistics.bytes = SaturateToInt32(bytes);
    statistics.words = SaturateToInt32(words);
    // A text that ends with a line break has no further line; an empty text has none at all.
    if (breaks > 0 || !lastLineEmpty)
        statistics.lines = SaturateToInt32(breaks + (breaks > 0 && lastLineEmpty ? 0 : 1));
    return statistics;
}

void LineSums::Sum::Add(const Sum& other, std::int64_t sign) noexcept
{
    characters += sign * other.characters;
    bytes += sign * other.bytes;
    words += sign * other.words;
    nuls += sign * other.nuls;
    encodedBytes += sign * other.encodedBytes;
}

LineSums::Sum LineSums::Entry(std::size_t index) const noexcept
{
    const LineFigures& line = FLines[index];
    const bool joined =
        index > 0 && Joins(FLines[index - 1].words.endsInJoin, line.words.beginsWithWord);
    return {line.characters, line.bytes, std::int64_t{line.words.words} - joined,
            line.hasNul ? 1 : 0, line.encodedBytes};
}

LineSums::Sum LineSums::Prefix(std::size_t count) const noexcept
{
    Sum sum;
    const std::size_t groups = count / Group;
    for (std::size_t i = groups; i > 0; i &= i - 1)
        sum.Add(FTree[i - 1], 1);
    for (std::size_t line = groups * Group; line < count; ++line)
        sum.Add(Entry(line), 1);
    return sum;
}

void LineSums::Update(std::size_t index, const Sum& before, const Sum& after) noexcept
{
    Sum change = after;
    change.Add(before, -1);
    for (std::size_t i = index / Group + 1; i <= FTree.size(); i += i & (~i + 1))
        FTree[i - 1].Add(change, 1);
}

// Linear: each group is summed, then each node passes its sum on to its parent once.
void LineSums::Rebuild()
{
    FTree.assign((FLines.size() + Group - 1) / Group, Sum{});
    for (std::size_t line = 0; line < FLines.size(); ++line)
        FTree[line / Group].Add(Entry(line), 1);
    for (std::size_t i = 1; i <= FTree.size(); ++i) {
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= FTree.size())
            FTree[parent - 1].Add(FTree[i - 1], 1);
    }
}

void LineSums::Assign(std::vector<LineFigures> lines)
{
    FLines = std::move(lines);
    Rebuild();
}

void LineSums::Replace(std::size_t first, std::size_t count, std::vector<LineFigures> with)
{
    if (first + count > FLines.size())
        return;
    if (with.size() != count) {
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(first),
                     FLines.begin() + static_cast<std::ptrdiff_t>(first + count));
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(first),
                      std::make_move_iterator(with.begin()), std::make_move_iterator(with.end()));
        Rebuild();
        return;
    }
    // The line after the run may join the run's last line differently now.
    const std::size_t end = std::min(first + count + 1, FLines.size());
    std::vector<Sum> before;
    for (std::size_t i = first; i < end; ++i)
        before.push_back(Entry(i));
    std::move(with.begin(), with.end(), FLines.begin() + static_cast<std::ptrdiff_t>(first));
    for (std::size_t i = first; i < end; ++i)
        Update(i, before[i - first], Entry(i));
}

TextSpan LineSums::Range(std::size_t first, std::size_t last) const noexcept
{
    Sum sum = Prefix(last);
    sum.Add(Prefix(first), -1);
    TextSpan span;
    span.characters = sum.characters;
    span.breaks = static_cast<std::int64_t>(last - first) - 1;
    span.bytes = sum.bytes + 2 * span.breaks;
    // The first line's join with the line before the range lies outside it.
    span.words = sum.words + (first > 0 && Joins(FLines[first - 1].words.endsInJoin,
                                                 FLines[first].words.beginsWithWord));
    span.beginsWithWord = FLines[first].words.beginsWithWord;
    span.endsInJoin = FLines[last - 1].words.endsInJoin;
    span.lastLineEmpty = FLines[last - 1].emptyAsRead;
    span.hasNul = sum.nuls > 0;
    span.encodedBytes = sum.encodedBytes;
    return span;
}
