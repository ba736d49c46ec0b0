// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentRows.h"

#include "AdvanceTable.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

std::u16string_view Units(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

DocumentRows::DocumentRows(QTextDocument& document, AdvanceTable& advances,
                           const RowBreaker& breaker, double width, QObject* parent)
    : QObject(parent), FDocument(document), FAdvances(advances), FBreaker(breaker), FWidth(width)
{
    connect(&document, &QTextDocument::contentsChange, this, &DocumentRows::Follow);
    BreakAll();
}

void DocumentRows::SetWidth(double width)
{
    FWidth = width;
    BreakAll();
}

DocumentRows::Paragraph DocumentRows::Measure(int block) const
{
    Paragraph paragraph;
    const QString text = FDocument.findBlockByNumber(block).text();
    FAdvances.Measure(text, paragraph.advances);
    paragraph.rows = FBreaker.Break(Units(text), paragraph.advances, FWidth);
    return paragraph;
}

void DocumentRows::BreakAll()
{
    FParagraphs.clear();
    std::vector<std::int64_t> rows;
    for (int block = 0; block < FDocument.blockCount(); ++block) {
        FParagraphs.push_back(Measure(block));
        rows.push_back(static_cast<std::int64_t>(FParagraphs.back().rows.size()));
    }
    FIndex = RowIndex(rows);
}

// A change of `removed` characters at `from` into `added`: the paragraphs it began in and made
// are measured again; a change inside one paragraph that leaves the paragraphs as they were
// measures only what came in and breaks again only the rows it touched.
void DocumentRows::Follow(int from, int removed, int added)
{
    const QTextBlock first = FDocument.findBlock(from);
    const QTextBlock last = FDocument.findBlock(from + added);
    if (!first.isValid() || !last.isValid()) {
        BreakAll();
        return;
    }
    const int made = last.blockNumber() - first.blockNumber() + 1;
    const int gone = static_cast<int>(FParagraphs.size()) - FDocument.blockCount() + made;
    const int at = from - first.position();
    if (made == 1 && gone == 1 && at + added <= first.length()) {
        Paragraph& paragraph = FParagraphs[first.blockNumber()];
        const QString text = first.text();
        if (static_cast<qsizetype>(paragraph.advances.size()) != text.size() - added + removed) {
            // The document tells some changes with more removed and added than changed (the
            // first text put into an empty document): measure the paragraph whole.
            paragraph = Measure(first.blockNumber());
            FIndex.Set(first.blockNumber(), static_cast<std::int64_t>(paragraph.rows.size()));
            return;
        }
        // What came in is measured with a unit of the text on each side, since an edit may have
        // joined or parted the two halves of a pair there.
        int low = std::max(at - 1, 0);
        if (low > 0 && text[low].isLowSurrogate() && text[low - 1].isHighSurrogate())
            --low;
        int high = std::min(at + added + 1, static_cast<int>(text.size()));
        if (high < text.size() && text[high - 1].isHighSurrogate() && text[high].isLowSurrogate())
            ++high;
        std::vector<double> put;
        FAdvances.Measure(QStringView(text).mid(low, high - low), put);
        auto& advances = paragraph.advances;
        advances.erase(advances.begin() + low, advances.begin() + (high - added + removed));
        advances.insert(advances.begin() + low, put.begin(), put.end());
        paragraph.rows =
            FBreaker.Rebreak(Units(text), advances, FWidth, paragraph.rows, at, removed, added);
        FIndex.Set(first.blockNumber(), static_cast<std::int64_t>(paragraph.rows.size()));
        return;
    }
    const int begin = first.blockNumber();
    if (gone < 1 || begin + gone > static_cast<int>(FParagraphs.size())) {
        BreakAll(); // a change told in a way that matches no paragraphs kept: measure afresh
        return;
    }
    FParagraphs.erase(FParagraphs.begin() + begin, FParagraphs.begin() + begin + gone);
    FIndex.Remove(begin, gone);
    std::vector<Paragraph> measured;
    for (int block = begin; block < begin + made; ++block)
        measured.push_back(Measure(block));
    FIndex.Insert(begin, made, 0);
    for (int i = 0; i < made; ++i)
        FIndex.Set(begin + i, static_cast<std::int64_t>(measured[i].rows.size()));
    FParagraphs.insert(FParagraphs.begin() + begin, std::make_move_iterator(measured.begin()),
                       std::make_move_iterator(measured.end()));
}

DocumentRows::Row DocumentRows::RowAt(std::int64_t row) const
{
    const RowPlace place = FIndex.Find(row);
    const RowStarts& rows = FParagraphs[place.paragraph].rows;
    const auto index = static_cast<std::size_t>(place.row);
    const int end = index + 1 < rows.size()
                        ? rows[index + 1]
                        : static_cast<int>(FParagraphs[place.paragraph].advances.size());
    return {place.paragraph, rows[index], end};
}

std::int64_t DocumentRows::RowOf(int position) const
{
    const QTextBlock block = FDocument.findBlock(position);
    const RowStarts& rows = FParagraphs[block.blockNumber()].rows;
    const auto within =
        std::upper_bound(rows.begin(), rows.end(), position - block.position()) - rows.begin() - 1;
    return FIndex.RowsBefore(block.blockNumber()) + within;
}
