// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar: progress (panel 0), caret position (1), selection note (2), modified mark (3).

#include "TForm1.h"
#include "ui_TForm1.h"

#include "controls/StatusProgress.h"
#include "controls/TRichEditEx.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

QString TForm1::StatusText(int panel) const
{
    return panel >= 1 && panel <= 3 ? FStatusPanels[panel]->text() : QString();
}

void TForm1::SetStatusText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 3)
        FStatusPanels[panel]->setText(text);
}

void TForm1::UpdateCursorPosition()
{
    if (!ui->CursorPosInfoItem->isChecked())
        return;
    // Blank while the wrapped lines before the caret are still being laid out; the editor tells
    // when they are.
    const auto caret = Editor()->GetCaretLineColumnSoon();
    SetStatusText(1, caret ? QStringLiteral(u"%1行 %2桁").arg(caret->second).arg(caret->first)
                           : QString());
}

void TForm1::CursorPosInfoItemClick()
{
    if (ui->CursorPosInfoItem->isChecked())
        UpdateCursorPosition();
    else
        SetStatusText(1, QString());
}

// The gutter repaints with the editor by itself, whatever the key did; only the caret position is
// left to show.
void TForm1::TextRichEditAfterKeyDown()
{
    UpdateCursorPosition();
}

void TForm1::TextRichEditMouseDown()
{
    UpdateCursorPosition();
}

// The gutter follows the editor by itself, whatever scrolled it; nothing is left to do here.
void TForm1::TextRichEditVScroll() {}

void TForm1::BeginProgress(const QString& text)
{
    FProgress = 0.0;
    const QSize panel = FStatusProgress->size();
    FProgressRect = QRect(3, 4, panel.width() - 6, panel.height() - 7);
    FSavedStatusText = StatusText(1);
    SetStatusText(1, text);
}

// Drawn at once: a long analysis lets the window breathe only between its steps. A step that
// leaves the bar as wide as it is needs no drawing; a measurement takes thousands of steps.
void TForm1::SetProgress(double fraction)
{
    const auto barWidth = [this](double value) {
        return value == 0.0 ? -1 : static_cast<int>(FProgressRect.width() * std::min(value, 1.0));
    };
    const bool unchanged = barWidth(fraction) == barWidth(FProgress);
    FProgress = fraction;
    if (!unchanged)
        FStatusProgress->PaintNow(FProgressRect);
}

void TForm1::EndProgress()
{
    SetProgress(0.0);
    SetStatusText(1, FSavedStatusText);
}

void TForm1::StatusBar1DrawPanel(QPainter* painter, const QRect& area)
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
