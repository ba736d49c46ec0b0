// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChapterOutline.h"

#include "controls/EditorDocument.h"
#include "controls/QtShiftJis.h"
#include "paper/ChapterTable.h"

#include <QTextBlock>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// A chapter's place and name, by which an entry is known again after an edit moved it.
using ChapterKey = std::tuple<std::size_t, std::size_t, std::int32_t, std::string>;

ChapterKey KeyOf(const ChapterSpan& span)
{
    return {span.firstLine, span.endLine, span.level, span.title};
}

bool SameShape(const std::vector<ChapterSpan>& spans,
               const std::vector<ChapterOutline::Entry>& entries)
{
    return std::equal(spans.begin(), spans.end(), entries.begin(), entries.end(),
                      [](const ChapterSpan& span, const ChapterOutline::Entry& entry) {
                          return span.level == entry.span.level && span.title == entry.span.title;
                      });
}

} // namespace

ChapterOutline* ChapterOutline::Of(EditorDocument* document)
{
    if (auto* outline = document->findChild<ChapterOutline*>(QString(), Qt::FindDirectChildrenOnly))
        return outline;
    return new ChapterOutline(document);
}

ChapterOutline::ChapterOutline(EditorDocument* document) : QObject(document), FDocument(document)
{
    connect(document, &QTextDocument::contentsChange, this, &ChapterOutline::ContentsChange);
}

void ChapterOutline::CountUnder(const ChapterCounting& counting)
{
    if (FCounted && counting.generation == FCounting.generation)
        return;
    FCounting = counting;
    FCounted = true;
    FLineCount = FDocument->blockCount();
    FHeadings = HeadingsIn(0, FLineCount - 1);
    FChapters.clear();
    Rebuild(0, FLineCount - 1, FLineCount - 1, 0);
}

std::vector<HeadingLine> ChapterOutline::HeadingsIn(int first, int last) const
{
    std::string bytes;
    QTextBlock block;
    const LineSource line = [&](std::size_t number) {
        const int wanted = static_cast<int>(number);
        block = block.isValid() && block.blockNumber() + 1 == wanted
                    ? block.next()
                    : FDocument->findBlockByNumber(wanted);
        bytes.clear();
        QtShiftJis::EncodeBlock(block, bytes);
        return std::string_view(bytes);
    };
    return FindHeadingsAmong(line, static_cast<std::size_t>(FDocument->blockCount()),
                             static_cast<std::size_t>(first), static_cast<std::size_t>(last),
                             FCounting.rules)
        .headings;
}

// The blocks changedFirst..changedLast stand where changedFirst..oldLast stood; the lines after
// them moved by `delta`.
void ChapterOutline::ContentsChange(int position, int, int added)
{
    if (FDocument->Loading())
        FCounted = false; // read whole when next asked
    if (!FCounted)
        return;
    const QTextBlock firstBlock = FDocument->findBlock(position);
    QTextBlock lastBlock = FDocument->findBlock(position + added);
    if (!lastBlock.isValid())
        lastBlock = FDocument->lastBlock();
    if (!firstBlock.isValid())
        return;
    const int changedFirst = firstBlock.blockNumber();
    const int changedLast = lastBlock.blockNumber();
    const int delta = FDocument->blockCount() - FLineCount;
    FLineCount = FDocument->blockCount();
    // A block heading joins lines less than BlockHeadingLines apart: the headings are read again
    // as far around the change as one may reach.
    constexpr int Reach = static_cast<int>(BlockHeadingLines) - 1;
    const int first = std::max(0, changedFirst - Reach);
    const int last = std::min(FLineCount - 1, changedLast + Reach);
    const int oldLast = last - delta;
    const auto byLine = [](const HeadingLine& h, std::size_t line) { return h.line < line; };
    auto from = std::lower_bound(FHeadings.begin(), FHeadings.end(),
                                 static_cast<std::size_t>(first), byLine);
    auto to =
        std::lower_bound(from, FHeadings.end(), static_cast<std::size_t>(oldLast + 1), byLine);
    for (auto moved = to; moved != FHeadings.end(); ++moved)
        moved->line = static_cast<std::size_t>(static_cast<std::int64_t>(moved->line) + delta);
    std::vector<HeadingLine> found = HeadingsIn(first, last);
    // Most keys change no heading and no line before the first heading: the chapters stay, and
    // only those holding the changed lines are counted again.
    const bool sameHeadings = !FHeadings.empty() &&
                              FHeadings.front().line < static_cast<std::size_t>(first) &&
                              std::equal(from, to, found.begin(), found.end(),
                                         [](const HeadingLine& a, const HeadingLine& b) {
                                             return a.line == b.line && a.heading == b.heading;
                                         });
    if (sameHeadings) {
        MoveAndCount(changedFirst, changedLast, changedLast - delta, delta);
        return;
    }
    from = FHeadings.erase(from, to);
    FHeadings.insert(from, std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    Rebuild(changedFirst, changedLast, changedLast - delta, delta);
}

void ChapterOutline::MoveAndCount(int changedFirst, int changedLast, int oldLast, int delta)
{
    const auto moved = [&](std::size_t line) {
        return static_cast<std::int64_t>(line) > oldLast
                   ? static_cast<std::size_t>(static_cast<std::int64_t>(line) + delta)
                   : line;
    };
    for (Entry& entry : FChapters) {
        entry.span.firstLine = moved(entry.span.firstLine);
        entry.span.endLine = moved(entry.span.endLine);
        if (static_cast<int>(entry.span.firstLine) <= changedLast &&
            static_cast<int>(entry.span.endLine) > changedFirst) {
            CountEntry(entry);
            entry.sheetsKnown = false;
        }
    }
    emit FiguresChanged();
}

void ChapterOutline::CountEntry(Entry& entry) const
{
    const TextStatistics counted = FDocument->LinesStatistics(
        static_cast<int>(entry.span.firstLine), static_cast<int>(entry.span.endLine),
        FCounting.options, FCounting.words);
    entry.characters = counted.characters;
    entry.lines = counted.lines;
}

// The chapters of the headings now, each keeping the figures it had when no line of it changed.
void ChapterOutline::Rebuild(int changedFirst, int changedLast, int oldLast, int delta)
{
    const auto moved = [&](std::size_t line) {
        return static_cast<std::int64_t>(line) > oldLast
                   ? static_cast<std::size_t>(static_cast<std::int64_t>(line) + delta)
                   : line;
    };
    std::map<ChapterKey, const Entry*> before;
    for (Entry& old : FChapters) {
        old.span.firstLine = moved(old.span.firstLine);
        old.span.endLine = moved(old.span.endLine);
        before.emplace(KeyOf(old.span), &old);
    }
    const std::size_t firstHeading =
        FHeadings.empty() ? static_cast<std::size_t>(FLineCount) : FHeadings.front().line;
    const bool opening =
        firstHeading > 0 && FDocument
                                    ->LinesStatistics(0, static_cast<int>(firstHeading),
                                                      FCounting.options, FCounting.words)
                                    .characters > 0;
    std::vector<ChapterSpan> spans =
        ChaptersOf(FHeadings, static_cast<std::size_t>(FLineCount), opening);
    const bool sameShape = SameShape(spans, FChapters);
    std::vector<Entry> chapters;
    chapters.reserve(spans.size());
    for (ChapterSpan& span : spans) {
        Entry entry{std::move(span)};
        const bool touched = static_cast<int>(entry.span.firstLine) <= changedLast &&
                             static_cast<int>(entry.span.endLine) > changedFirst;
        const auto old = before.find(KeyOf(entry.span));
        if (old != before.end()) {
            entry.sheets = old->second->sheets;
            entry.sheetsKnown = old->second->sheetsKnown && !touched;
        }
        if (old != before.end() && !touched) {
            entry.characters = old->second->characters;
            entry.lines = old->second->lines;
        } else {
            CountEntry(entry);
        }
        chapters.push_back(std::move(entry));
    }
    FChapters = std::move(chapters);
    std::vector<ChapterSpan> placed;
    for (const Entry& entry : FChapters)
        placed.push_back(entry.span);
    FParents = ParentsOf(placed);
    if (sameShape)
        emit FiguresChanged();
    else
        emit StructureChanged();
}

bool ChapterOutline::SheetsPending() const noexcept
{
    return std::any_of(FChapters.begin(), FChapters.end(),
                       [](const Entry& entry) { return !entry.sheetsKnown; });
}

// Each chapter's text as the whole text holds it: its lines, each followed by its line break.
void ChapterOutline::CountSheets()
{
    bool changed = false;
    std::string text;
    for (Entry& entry : FChapters) {
        if (entry.sheetsKnown)
            continue;
        text.clear();
        for (QTextBlock block =
                 FDocument->findBlockByNumber(static_cast<int>(entry.span.firstLine));
             block.isValid() && block.blockNumber() < static_cast<int>(entry.span.endLine);
             block = block.next()) {
            QtShiftJis::EncodeBlock(block, text);
            if (block.next().isValid())
                text += "\r\n";
        }
        entry.sheets = ChapterSheets(FCounting.paper, text, FCounting.options.excludeRuby);
        entry.sheetsKnown = true;
        changed = true;
    }
    if (changed)
        emit FiguresChanged();
}

int ChapterOutline::ChapterAt(int line) const
{
    const auto after =
        std::upper_bound(FChapters.begin(), FChapters.end(), static_cast<std::size_t>(line),
                         [](std::size_t l, const Entry& e) { return l < e.span.firstLine; });
    if (after == FChapters.begin())
        return -1;
    auto index = static_cast<std::size_t>(after - FChapters.begin() - 1);
    while (index != NoParent && FChapters[index].span.endLine <= static_cast<std::size_t>(line))
        index = FParents[index];
    return index == NoParent ? -1 : static_cast<int>(index);
}
