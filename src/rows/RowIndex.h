// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of every paragraph of a document, summed so that the view finds the paragraph of a row
// on the screen, and the first row of a paragraph, in a time that grows with the logarithm of the
// number of paragraphs, and a paragraph's rows change for the cost of that logarithm too.

#include <cstdint>
#include <vector>

struct RowPlace
{
    std::int32_t paragraph = 0;
    std::int64_t row = 0; // within the paragraph
};

class RowIndex
{
public:
    RowIndex() = default;
    explicit RowIndex(const std::vector<std::int64_t>& rowsPerParagraph);

    std::int32_t Paragraphs() const { return static_cast<std::int32_t>(FRows.size()); }
    std::int64_t Rows(std::int32_t paragraph) const { return FRows[paragraph]; }
    std::int64_t Total() const { return FTotal; }

    // A paragraph's rows changed (a re-break, or a measured figure in place of an estimate).
    void Set(std::int32_t paragraph, std::int64_t rows);
    // `count` paragraphs of `rows` rows each put in before `paragraph`, or removed from it on.
    void Insert(std::int32_t paragraph, std::int32_t count, std::int64_t rows);
    void Remove(std::int32_t paragraph, std::int32_t count);

    // The rows of the paragraphs before `paragraph`: the first row of `paragraph`.
    std::int64_t RowsBefore(std::int32_t paragraph) const;
    // The paragraph that holds row `row` of the document, and the row within it; the last row of
    // the last paragraph for a row past the end.
    RowPlace Find(std::int64_t row) const;

private:
    void Rebuild();

    std::vector<std::int64_t> FRows; // each paragraph's rows
    std::vector<std::int64_t> FTree; // Fenwick sums over FRows, 1-based
    std::int64_t FTotal = 0;
};
