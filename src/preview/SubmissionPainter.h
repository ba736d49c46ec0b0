// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the pages of a submission manuscript: white pages without a grid, Column characters to a
// line and Line lines to a page inside the margins, the page number "- 3 -" at the foot, and
// optionally a first page with the title and the author's name. The page is measured in
// millimetres.

#include "CellGlyphs.h"
#include "PagePainter.h"
#include "paper/SubmissionPage.h"

#include <string>

struct SubmissionStyle
{
    SubmissionSettings Settings;
    QString Family;     // the face of the characters
    std::string Title;  // UTF-8; for a title page
    std::string Author; // UTF-8; for a title page
};

class SubmissionPainter : public PagePainter
{
public:
    // `layout` is laid out under SubmissionPaper(…, style.Settings) and outlives the painter.
    SubmissionPainter(const ManuscriptLayout& layout, SubmissionStyle style);

    QSizeF PageShape() const override { return {FPage.Width, FPage.Height}; }
    std::int32_t PageCount() const override { return FLayout.SheetCount() + FTitlePages; }
    const SubmissionGeometry& Geometry() const noexcept { return FPage; }

    void PaintPaper(QPainter& painter, const QRectF& target) const override;
    void PaintText(QPainter& painter, const QRectF& target, std::int32_t page) const override;

private:
    double Em() const noexcept; // the characters' size in millimetres
    QRectF CharacterBox(const CellPlacement& place, double em) const;
    void PaintTitlePage(QPainter& painter, double scale) const;
    void PaintPageNumber(QPainter& painter, double scale, std::int32_t number) const;

    const ManuscriptLayout& FLayout;
    SubmissionStyle FStyle;
    SubmissionGeometry FPage;
    std::int32_t FTitlePages;
    CellGlyphs FGlyphs;
};
