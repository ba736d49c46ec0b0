// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPanels.h"

#include "controls/StatusProgress.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>

#include <algorithm>

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar)
{
    // Widths of the four sections at 96 dpi, scaled to the screen.
    int widths[4] = {100, 80, 200, 50};
    const int dpi = bar->logicalDpiX();
    const auto scaled = [dpi](int pixels) { return pixels * dpi / 96; };
    // The caret's place holds the line number of a long novel and a long line's column whole;
    // what it needs more is taken from the notice beside it, which has room to spare.
    const QFontMetrics metrics(bar->font());
    const int caretWidth = metrics.horizontalAdvance(QStringLiteral(u"000000行 0000桁")) + 6;
    const int notice = metrics.horizontalAdvance(QStringLiteral(u"選択部分のデータを表示中")) + 6;
    const int more = std::max(0, caretWidth - scaled(widths[1]));
    widths[1] += more * 96 / dpi + 1;
    widths[2] = std::max(notice, scaled(widths[2]) - more) * 96 / dpi;
    FStatusProgress = new StatusProgress(bar);
    FStatusProgress->setObjectName(QStringLiteral("StatusPanel0"));
    FStatusProgress->setFixedWidth(scaled(widths[0]));
    bar->addWidget(FStatusProgress);
    for (int panel = 1; panel < 4; ++panel) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        label->setFixedWidth(scaled(widths[panel]));
        bar->addWidget(label);
        FStatusPanels[panel] = label;
    }
    connect(FStatusProgress, &StatusProgress::DrawPanel, this, &StatusPanels::StatusBar1DrawPanel);
}

QString StatusPanels::Text(int panel) const
{
    return panel >= 1 && panel <= 3 ? FStatusPanels[panel]->text() : QString();
}

void StatusPanels::SetText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 3)
        FStatusPanels[panel]->setText(text);
}

void StatusPanels::BeginProgress(const QString& text)
{
    FProgress = 0.0;
    const QSize panel = FStatusProgress->size();
    FProgressRect = QRect(3, 4, panel.width() - 6, panel.height() - 7);
    FSavedStatusText = Text(1);
    SetText(1, text);
}

// A step that leaves the bar as wide as it is needs no drawing; a measurement takes thousands of
// steps.
void StatusPanels::SetProgress(double fraction)
{
    const auto barWidth = [this](double value) {
        return value == 0.0 ? -1 : static_cast<int>(FProgressRect.width() * std::min(value, 1.0));
    };
    const bool unchanged = barWidth(fraction) == barWidth(FProgress);
    FProgress = fraction;
    if (!unchanged)
        FStatusProgress->PaintNow(FProgressRect);
}

void StatusPanels::EndProgress()
{
    SetProgress(0.0);
    SetText(1, FSavedStatusText);
}

void StatusPanels::StatusBar1DrawPanel(QPainter* painter, const QRect& area)
{
    if (FProgress == 0.0) {
        painter->fillRect(area, FStatusProgress->palette().color(QPalette::Button));
        return;
    }
    if (!(FProgress <= 1.0))
        FProgress = 1.0;
    const int width = static_cast<int>(area.width() * FProgress);
    painter->fillRect(QRect(area.left(), area.top(), width, area.height()), QColor(0, 0, 128));
}
