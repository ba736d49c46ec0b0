// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Where a PDF goes: "-" is standard output, so that a script can pipe it; a FIFO or a device is
// written into as it is; anything else is replaced whole once it is complete, or left as it was.
// Nothing when it cannot be opened (a folder, a FIFO without a reader).
std::unique_ptr<QFileDevice> OpenOutput(const QString& path)
{
    if (path == QLatin1String("-")) {
        auto out = std::make_unique<QFile>();
        if (!out->open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return nullptr;
        return out;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        auto out = std::make_unique<QFile>(path);
        if (!out->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return nullptr;
        return out;
    }
    auto out = std::make_unique<QSaveFile>(path);
    if (!out->open(QIODevice::WriteOnly))
        return nullptr;
    return out;
}

// True when everything written to a file written through has reached it.
bool Finish(QFileDevice& file)
{
    bool written = file.error() == QFileDevice::NoError && file.flush();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    if (file.fileName().isEmpty()) // standard output, which the C library buffers too
        written = std::fflush(stdout) == 0 && written;
    return written;
}

} // namespace

bool PaintSheets(QPagedPaintDevice& device, const PagePainter& pages, const SheetProgress& progress)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::int32_t count = pages.PageCount();
    for (std::int32_t page = 0; page < count; ++page) {
        if (page > 0)
            device.newPage();
        pages.Paint(painter, QRectF(0, 0, device.width(), device.height()), page);
        if (progress && !progress(page + 1, count))
            return false;
    }
    return true;
}

OutputResult WritePagesPdf(const QString& path, const PagePainter& pages, const QPageLayout& page,
                           const SheetProgress& progress, QString& error)
{
    const std::unique_ptr<QFileDevice> file = OpenOutput(path);
    if (!file) {
        error = QStringLiteral(u"%1 に書き込めません").arg(path);
        return OutputResult::Failed;
    }
    bool complete = false;
    {
        QPdfWriter writer(file.get());
        writer.setCreator(QStringLiteral("Kotonami"));
        writer.setTitle(QStringLiteral(u"原稿用紙"));
        writer.setPageLayout(page);
        complete = PaintSheets(writer, pages, progress);
    }
    auto* saved = qobject_cast<QSaveFile*>(file.get());
    if (!complete) {
        if (saved)
            saved->cancelWriting();
        return OutputResult::Cancelled;
    }
    if (!(saved ? saved->commit() : Finish(*file))) {
        error = QStringLiteral(u"%1 に書き込めません").arg(path);
        return OutputResult::Failed;
    }
    return OutputResult::Written;
}

OutputResult WriteManuscriptPdf(const QString& path, const ManuscriptLayout& layout,
                                const SheetStyle& style, PdfPaper paper,
                                const SheetProgress& progress, QString& error)
{
    const QPageLayout page(QPageSize(paper == PdfPaper::B4 ? QPageSize::JisB4 : QPageSize::A4),
                           style.Vertical ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter);
    return WritePagesPdf(path, SheetPainter(layout, style), page, progress, error);
}

OutputResult WriteSubmissionPdf(const QString& path, const ManuscriptLayout& layout,
                                const SubmissionStyle& style, const SheetProgress& progress,
                                QString& error)
{
    const SubmissionPainter pages(layout, style);
    return WritePagesPdf(path, pages, SubmissionPageLayout(pages.Geometry()), progress, error);
}

QPageLayout SubmissionPageLayout(const SubmissionGeometry& geometry)
{
    const QSizeF portrait(std::min(geometry.Width, geometry.Height),
                          std::max(geometry.Width, geometry.Height));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       geometry.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}
