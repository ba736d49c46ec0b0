// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chapters of one tab's text with their figures, kept with its document and following each
// edit: only the lines an edit touched are read for headings, only the chapters holding them are
// recounted (from the document's per-line sums), and their sheets wait for CountSheets, which the
// panel calls once the writer pauses.

#include "analysis/Chapters.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCharacterSet.h"
#include "paper/TPaper.h"

#include <QObject>

#include <cstdint>
#include <vector>

class EditorDocument;

// What the figures are counted under: the window's switches, word characters, paper and rules.
struct ChapterCounting
{
    CountOptions options;
    WordCharacterSet words;
    TPaper paper;
    HeadingRules rules;
    int generation = 0; // raised at every change, so that an outline knows it counted under older
};

class ChapterOutline : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        ChapterSpan span;
        std::int64_t characters = 0;
        std::int64_t lines = 0;
        std::int32_t sheets = 0;
        bool sheetsKnown = false; // false: `sheets` is from before the last change, or 0
    };

    // The outline kept with the document, made when first asked.
    static ChapterOutline* Of(EditorDocument* document);

    // Finds every heading and counts every chapter anew when `counting` is not what the outline
    // last counted under; the sheets are left to CountSheets.
    void CountUnder(const ChapterCounting& counting);
    const std::vector<Entry>& Chapters() const noexcept { return FChapters; }
    const std::vector<std::size_t>& Parents() const noexcept { return FParents; }
    bool SheetsPending() const noexcept;
    void CountSheets();
    // The innermost chapter holding the line, or -1.
    int ChapterAt(int line) const;

signals:
    // Chapters came, went or were renamed.
    void StructureChanged();
    // Only figures changed.
    void FiguresChanged();

private:
    explicit ChapterOutline(EditorDocument* document);
    void ContentsChange(int position, int removed, int added);
    std::vector<HeadingLine> HeadingsIn(int first, int last) const;
    void Rebuild(int changedFirst, int changedLast, int oldLast, int delta);
    void MoveAndCount(int changedFirst, int changedLast, int oldLast, int delta);
    void CountEntry(Entry& entry) const;

    EditorDocument* FDocument;
    ChapterCounting FCounting;
    bool FCounted = false; // FCounting holds what the figures were counted under
    int FLineCount = 0;
    std::vector<HeadingLine> FHeadings;
    std::vector<Entry> FChapters;
    std::vector<std::size_t> FParents;
};
