// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The line-information gutter inside the editor: line numbers and each visible line's character
// count, the two menu switches for its columns and the dialog for its extra row spacing.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TSetLineSpaceForm.h"

TLineInfo* TForm1::LineInfo1() const
{
    return Editor()->LineInfo();
}

void TForm1::SetUpLineInfo()
{
    LineInfo1()->SetDefaultAddStr(QStringLiteral("0"));
    LineInfo1()->SetAddStrLeft(10);
    UpdateLineInfo();
}

void TForm1::ConnectLineInfoActions()
{
    ConnectCommand(ui->ShowLineNumItem, &QAction::triggered, this, &TForm1::ShowLineNumItemClick);
    ConnectCommand(ui->LineInfoItem, &QAction::triggered, this, &TForm1::LineInfoItemClick);
    ConnectCommand(ui->SetLineSpaceItem, &QAction::triggered, this, &TForm1::SetLineSpaceItemClick);
}

// The gutter repaints with the editor by itself; only the counting switches are the window's to
// hand over. The gutter repaints when they changed.
void TForm1::UpdateLineInfo()
{
    LineInfo1()->SetCountOptions(CurrentCountOptions());
}

void TForm1::ShowLineNumItemClick()
{
    LineInfo1()->SetShowLineNum(ui->ShowLineNumItem->isChecked());
}

void TForm1::LineInfoItemClick()
{
    LineInfo1()->SetShowAddStr(ui->LineInfoItem->isChecked());
}

// Anything but an integer, or a spacing that would leave no room between the rows, keeps the
// spacing as it was, without a word.
void TForm1::SetLineSpaceItemClick()
{
    TSetLineSpaceForm form(this);
    form.SetLineSpace(LineInfo1()->LineSpace());
    if (form.exec() != QDialog::Accepted)
        return;
    if (const auto value = form.LineSpace())
        LineInfo1()->SetLineSpace(*value);
}
