#include "SheetOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

bool PaintSheets(QPagedPaintDevice& device, const SheetPainter& sheets, std::int32_t count,
                 const SheetProgress& progress)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::int32_t sheet = 0; sheet < count; ++sheet) {
        if (sheet > 0)
            device.newPage();
        sheets.Paint(painter, QRectF(0, 0, device.width(), device.height()), sheet);
        if (progress && !progress(sheet + 1, count))
            return false;
    }
    return true;
}

OutputResult WriteManuscriptPdf(const QString& path, const ManuscriptLayout& layout,
                                const SheetStyle& style, PdfPaper paper,
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
        writer.setPageLayout(
            QPageLayout(QPageSize(paper == PdfPaper::B4 ? QPageSize::JisB4 : QPageSize::A4),
                        style.Vertical ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
        complete = PaintSheets(writer, SheetPainter(layout, style), layout.SheetCount(), progress);
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
