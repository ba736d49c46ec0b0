#pragma once
// Sheets of manuscript paper on paged devices: one sheet per page, to a PDF file or a printer.

#include "SheetPainter.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;

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

// Paints every sheet of the layout, one per page of `device`. False when `progress` stopped it.
bool PaintSheets(QPagedPaintDevice& device, const SheetPainter& sheets, std::int32_t count,
                 const SheetProgress& progress);

// Writes the sheets as a PDF at `path`, landscape for vertical writing, portrait otherwise, the
// face embedded. The file appears only when complete: a cancelled or failed export leaves any
// earlier file as it was. On failure `error` holds the message.
OutputResult WriteManuscriptPdf(const QString& path, const ManuscriptLayout& layout,
                                const SheetStyle& style, PdfPaper paper,
                                const SheetProgress& progress, QString& error);
