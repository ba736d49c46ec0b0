// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowIndex.h"

#include <bit>

RowIndex::RowIndex(const std::vector<std::int64_t>& rowsPerParagraph) : FRows(rowsPerParagraph)
{
    Rebuild();
}

void RowIndex::Rebuild()
{
    const std::size_t size = FRows.size();
    FTree.assign(size + 1, 0);
    FTotal = 0;
    for (std::size_t i = 1; i <= size; ++i) {
        FTree[i] += FRows[i - 1];
        FTotal += FRows[i - 1];
        if (const std::size_t parent = i + (i & -i); parent <= size)
            FTree[parent] += FTree[i];
    }
}

void RowIndex::Set(std::int32_t paragraph, std::int64_t rows)
{
    const std::int64_t change = rows - FRows[paragraph];
    FRows[paragraph] = rows;
    FTotal += change;
    for (std::size_t i = static_cast<std::size_t>(paragraph) + 1; i < FTree.size(); i += i & -i)
        FTree[i] += change;
}

// Paragraphs come and go with Enter and with pastes, far less often than keys: the sums are made
// again, which costs a pass over the paragraphs.
void RowIndex::Insert(std::int32_t paragraph, std::int32_t count, std::int64_t rows)
{
    FRows.insert(FRows.begin() + paragraph, static_cast<std::size_t>(count), rows);
    Rebuild();
}

void RowIndex::Remove(std::int32_t paragraph, std::int32_t count)
{
    FRows.erase(FRows.begin() + paragraph, FRows.begin() + paragraph + count);
    Rebuild();
}

std::int64_t RowIndex::RowsBefore(std::int32_t paragraph) const
{
    std::int64_t sum = 0;
    for (auto i = static_cast<std::size_t>(paragraph); i > 0; i -= i & -i)
        sum += FTree[i];
    return sum;
}

RowPlace RowIndex::Find(std::int64_t row) const
{
    if (FRows.empty())
        return {};
    if (row >= FTotal)
        return {Paragraphs() - 1, FRows.back() == 0 ? 0 : FRows.back() - 1};
    // Down the tree: the most paragraphs whose rows together stay at or below `row`.
    std::size_t at = 0;
    std::int64_t left = row < 0 ? 0 : row;
    for (std::size_t step = std::bit_floor(FRows.size()); step != 0; step /= 2) {
        if (at + step < FTree.size() && FTree[at + step] <= left) {
            at += step;
            left -= FTree[at];
        }
    }
    return {static_cast<std::int32_t>(at), left};
}
