// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recent-file history's commands: choosing an entry opens its file again; its dialog sets how
// many entries are kept or clears them. The list itself is HistoryMenu.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/HistoryMenu.h"
#include "dialogs/FieldConversion.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/THistoryForm.h"

#include <QFile>

#include <exception>

void TForm1::ConnectHistoryActions()
{
    ConnectCommand(ui->HistoryItem, &QMenu::triggered, this, &TForm1::HistoryEntryClick);
    ConnectCommand(ui->HistorySettingItem, &QAction::triggered, this,
                   &TForm1::HistorySettingItemClick);
}

void TForm1::AddHistory(const std::string& path)
{
    FHistory->Add(path);
}

// A file that is gone opens nothing; the writer is asked whether its entry goes too.
void TForm1::HistoryEntryClick(QAction* entry)
{
    const std::string path = HistoryMenu::PathOf(entry);
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFile::exists(name)) {
        if (MessageBoxes::AskRemoveMissingEntry(this, name))
            FHistory->Remove(entry);
        return;
    }
    OpenFile(path);
}

void TForm1::HistorySettingItemClick()
{
    THistoryForm form(this);
    form.SetHistoryMax(FHistory->HistoryMax());
    connect(&form, &THistoryForm::ClearHistory, this, [this] { FHistory->Clear(); });
    if (form.exec() != QDialog::Accepted)
        return;
    const QString text = form.HistoryText();
    const auto value = FieldConversion::StrToInt(text);
    QString error;
    if (!value)
        error = FieldConversion::NotAnInteger(text);
    else if (*value < 0)
        error = QStringLiteral(u"0以上の整数を指定してください");
    if (!error.isEmpty()) {
        MessageBoxes::ShowError(
            this, error + QStringLiteral(u"\r\n\r\n履歴の最大数は設定できませんでした"));
        return;
    }
    FHistory->SetHistoryMax(*value);
}

// Save As remembers the new name even when writing then fails; a save the writer called off at
// a question does not.
bool TForm1::SaveAsAndAddHistory(int index, const std::string& path)
{
    bool saved = false;
    try {
        saved = SaveDocument(index);
    } catch (const std::exception&) {
        AddHistory(path);
        throw;
    }
    if (saved)
        AddHistory(path);
    return saved;
}
