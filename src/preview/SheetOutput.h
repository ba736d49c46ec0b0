// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sheets of manuscript paper on paged devices: one sheet per page, to a PDF file or a printer.

#include "SheetPainter.h"
#include "SubmissionPainter.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPageLayout;

// Told after every page (pages done, pages in all); answers false to stop.
using SheetProgress = std::function<bool(std::int32_t done, std::int32_t total)>;

enum class PdfPaper
{
    B4, // the size manuscript paper is sold in
    A4
};

enum class OutputResult
{
    Written,
    Cancelled,
    Failed
};

// Paints every page, one per page of `device`. False when `progress` stopped it.
bool PaintSheets(QPagedPaintDevice& device, const PagePainter& pages,
                 const SheetProgress& progress);

// Writes the sheets as a PDF at `path`, landscape for vertical writing, portrait otherwise, the
// face embedded. The file appears only when complete: a cancelled or failed export leaves any
// earlier file as it was. On failure `error` holds the message.
OutputResult WriteManuscriptPdf(const QString& path, const ManuscriptLayout& layout,
                                const SheetStyle& style, PdfPaper paper,
                                const SheetProgress& progress, QString& error);

// Writes the pages as a PDF at `path` on pages of `page`, as WriteManuscriptPdf does.
OutputResult WritePagesPdf(const QString& path, const PagePainter& pages, const QPageLayout& page,
                           const SheetProgress& progress, QString& error);

// The submission pages of the layout as a PDF, on the page size and turn of its settings.
OutputResult WriteSubmissionPdf(const QString& path, const ManuscriptLayout& layout,
                                const SubmissionStyle& style, const SheetProgress& progress,
                                QString& error);

// The page a submission is printed on: its size and turn, no margins of the printer's own.
QPageLayout SubmissionPageLayout(const SubmissionGeometry& geometry);
