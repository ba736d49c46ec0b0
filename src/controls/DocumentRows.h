// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a whole document at a width, for the coming editor view: each paragraph's advances
// and row starts, kept through every change of the text (typing, pastes, Enter, undo and redo) by
// breaking again only the paragraphs and rows a change touched, and the rows summed so that the
// row of a place and the place of a row are found at once.

#include "rows/RowBreaker.h"
#include "rows/RowIndex.h"

#include <QObject>

#include <cstdint>
#include <vector>

class AdvanceTable;
class QTextDocument;

class DocumentRows : public QObject
{
    Q_OBJECT

public:
    // The document needs a layout for its changes to be told (NullDocumentLayout).
    DocumentRows(QTextDocument& document, AdvanceTable& advances, const RowBreaker& breaker,
                 double width, QObject* parent = nullptr);

    // Every paragraph broken again at another width.
    void SetWidth(double width);

    std::int64_t RowCount() const { return FIndex.Total(); }
    // The rows of a paragraph (block number), their starts within it.
    const RowStarts& RowsOf(int block) const { return FParagraphs[block].rows; }

    struct Row
    {
        int block = 0;
        int start = 0; // within the block
        int end = 0;
    };
    // Row `row` of the document.
    Row RowAt(std::int64_t row) const;
    // The row that holds document position `position`.
    std::int64_t RowOf(int position) const;

private:
    struct Paragraph
    {
        std::vector<double> advances;
        RowStarts rows;
    };
    Paragraph Measure(int block) const;
    void BreakAll();
    void Follow(int from, int removed, int added);

    QTextDocument& FDocument;
    AdvanceTable& FAdvances;
    const RowBreaker& FBreaker;
    double FWidth;
    std::vector<Paragraph> FParagraphs;
    RowIndex FIndex;
};
