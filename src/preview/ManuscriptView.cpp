// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManuscriptView.h"

#include "PagePainter.h"

#include <QPainter>

namespace {

constexpr int Desk = 12; // pixels of desk around the sheet

} // namespace

ManuscriptView::ManuscriptView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ManuscriptView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ManuscriptView::ShowSheet(const PagePainter* sheets, std::int32_t sheet)
{
    if (sheets != FSheets)
        FBlank = QPixmap();
    FSheets = sheets;
    FSheet = sheet;
    update();
}

void ManuscriptView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    if (FSheets == nullptr)
        return;
    const QRectF target(rect().adjusted(Desk, Desk, -Desk, -Desk));
    const qreal ratio = devicePixelRatioF();
    if (FBlank.size() != size() * ratio) {
        FBlank = QPixmap(size() * ratio);
        FBlank.setDevicePixelRatio(ratio);
        FBlank.fill(Qt::transparent);
        QPainter blank(&FBlank);
        blank.setRenderHint(QPainter::Antialiasing);
        FSheets->PaintPaper(blank, target);
    }
    painter.drawPixmap(0, 0, FBlank);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    FSheets->PaintText(painter, target, FSheet);
}
