// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the writer left off: each file of the recent-file history remembers its caret, which
// comes back when the file is opened again; with 設定 › 前回開いていたファイルを開く on, a window
// started without files opens the files that were open when the last one closed.
//
// In the settings file the carets are a section of their own beside the history, one key per
// entry under the entry's number, so a file written before them simply has none; the last
// session's files, with their carets, are a second one.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/HistoryMenu.h"

#include "analysis/SettingsStore.h"
#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "controls/TRichEditEx.h"
#include "shell/UsefulFunc.h"

#include <QTextCursor>

#include <algorithm>

namespace {

constexpr const char* CaretSection = "HistoryCaret";
constexpr const char* SessionSection = "Session";

std::string CaretKey(std::size_t i)
{
    return "Caret" + std::to_string(i);
}

} // namespace

void TForm1::SetUpLastFiles()
{
    ReopenLastFilesItem = new QAction(QStringLiteral(u"前回開いていたファイルを開く(&O)"), this);
    ReopenLastFilesItem->setObjectName(QStringLiteral("ReopenLastFilesItem"));
    ReopenLastFilesItem->setCheckable(true);
    ui->SettingItem->insertAction(ui->SavePositionItem, ReopenLastFilesItem);
}

void TForm1::RememberCaret(int index)
{
    const Document* document = Documents().Item(index);
    const TRichEditEx* editor = FTabs->EditorOf(index);
    if (document != nullptr && editor != nullptr && !document->FileName.empty())
        FCarets[document->FileName] = editor->textCursor().position();
}

void TForm1::RememberOpenCarets()
{
    for (int i = 0; i < Documents().Count(); ++i)
        RememberCaret(i);
}

// A file that has become shorter since keeps its caret at its end.
void TForm1::PlaceRememberedCaret(const std::string& path)
{
    const auto remembered = FCarets.find(path);
    if (remembered == FCarets.end())
        return;
    TRichEditEx* editor = Editor();
    QTextCursor caret = editor->textCursor();
    caret.setPosition(std::clamp(remembered->second, 0, editor->document()->characterCount() - 1));
    editor->setTextCursor(caret);
    editor->ensureCursorVisible();
}

// A file of the last session that is gone or cannot be read is left out without a word: the
// writer asked for nothing by name. The tabs come back in their order, the one in front in front.
void TForm1::ReopenLastFiles()
{
    for (const std::string& path : FLastFiles)
        if (UsefulFunc::IsFileReadable(path))
            RunCommand(this, [&] { OpenFile(path); });
    ShowLastFront();
}

void TForm1::ShowLastFront()
{
    if (FLastFront.empty())
        return;
    if (const int index = FTabs->IndexOfFile(FLastFront); index >= 0) {
        SelectTabQuietly(index);
        ShowTab(index);
    }
}

void TForm1::ReadLastFiles(SettingsStore& file)
{
    const std::vector<std::string> entries = FHistory->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (const int caret = file.ReadInteger(CaretSection, std::to_string(i), -1); caret >= 0)
            FCarets[entries[i]] = caret;
    ReopenLastFilesItem->setChecked(file.ReadBool(SessionSection, "Reopen", false));
    const int count = file.ReadInteger(SessionSection, "Num", 0);
    for (int i = 0; i < count; ++i) {
        const std::string path = file.ReadString(SessionSection, std::to_string(i), {});
        if (path.empty())
            break;
        FLastFiles.push_back(path);
        if (const int caret = file.ReadInteger(SessionSection, CaretKey(i), -1); caret >= 0)
            FCarets[path] = caret;
    }
    const int front = file.ReadInteger(SessionSection, "Front", -1);
    if (front >= 0 && static_cast<std::size_t>(front) < FLastFiles.size())
        FLastFront = FLastFiles[static_cast<std::size_t>(front)];
}

// The carets of the open files are taken first, so that what is written is where they are now.
void TForm1::WriteLastFiles(SettingsStore& file)
{
    RememberOpenCarets();
    const auto caretOf = [this](const std::string& path) {
        const auto remembered = FCarets.find(path);
        return remembered != FCarets.end() ? remembered->second : 0;
    };
    const std::vector<std::string> entries = FHistory->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        file.WriteInteger(CaretSection, std::to_string(i), caretOf(entries[i]));
    std::vector<std::string> open;
    int front = -1;
    for (int i = 0; i < Documents().Count(); ++i) {
        const Document* document = Documents().Item(i);
        if (document->FileName.empty())
            continue;
        if (i == FTabs->FrontIndex())
            front = static_cast<int>(open.size());
        open.push_back(document->FileName);
    }
    file.WriteBool(SessionSection, "Reopen", ReopenLastFilesItem->isChecked());
    file.WriteInteger(SessionSection, "Num", static_cast<std::int32_t>(open.size()));
    file.WriteInteger(SessionSection, "Front", front);
    for (std::size_t i = 0; i < open.size(); ++i) {
        file.WriteString(SessionSection, std::to_string(i), open[i]);
        file.WriteInteger(SessionSection, CaretKey(i), caretOf(open[i]));
    }
}
