#include "SheetOutput.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral(u"%1 に書き込めません").arg(path);
        return OutputResult::Failed;
    }
    bool complete = false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Kotonami"));
        writer.setTitle(QStringLiteral(u"原稿用紙"));
        writer.setPageLayout(
            QPageLayout(QPageSize(paper == PdfPaper::B4 ? QPageSize::JisB4 : QPageSize::A4),
                        style.Vertical ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
        complete = PaintSheets(writer, SheetPainter(layout, style), layout.SheetCount(), progress);
    }
    if (!complete) {
        file.cancelWriting();
        return OutputResult::Cancelled;
    }
    if (!file.commit()) {
        error = QStringLiteral(u"%1 に書き込めません").arg(path);
        return OutputResult::Failed;
    }
    return OutputResult::Written;
}
