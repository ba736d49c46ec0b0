// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows in its status bar (StatusPanels): the caret position, and the progress and
// notes its commands report.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/StatusPanels.h"
#include "controls/TRichEditEx.h"

QString TForm1::StatusText(int panel) const
{
    return FStatusBar->Text(panel);
}

void TForm1::SetStatusText(int panel, const QString& text)
{
    FStatusBar->SetText(panel, text);
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
    FStatusBar->BeginProgress(text);
}

void TForm1::SetProgress(double fraction)
{
    FStatusBar->SetProgress(fraction);
}

void TForm1::EndProgress()
{
    FStatusBar->EndProgress();
}
