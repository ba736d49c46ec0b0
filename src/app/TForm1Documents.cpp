// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The documents and their tabs: new, open, save, close, and the editor showing the text of the tab
// the writer brings to the front.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "app/SavedForm.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"
#include "dialogs/MessageBoxes.h"
#include "documents/StartOptions.h"
#include "shell/Exceptions.h"
#include "shell/UsefulFunc.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString Caption(const std::string& fileName)
{
    return QString::fromStdString(TabCaption(fileName));
}

} // namespace

QString TForm1::MakeTitle(const std::string& name)
{
    return QStringLiteral("Kotonami [ ") + QFile::decodeName(QByteArray::fromStdString(name)) +
           QStringLiteral(" ]");
}

void TForm1::ShowModifiedMark()
{
    SetStatusText(3, Editor()->GetModified() ? QStringLiteral(u"変更") : QString());
    ShowEncoding();
}

DocumentTabs& TForm1::Documents() noexcept
{
    return *FTabs;
}

// Each tab's text lives in its own document, so there is nothing to copy; what the window asks
// is whether the tab in front holds unsaved changes.
bool TForm1::StoreCurrentDocument()
{
    if (const Document* document = FTabs->FrontDocument())
        return document->IsModified();
    return Editor()->GetModified();
}

void TForm1::AppendTab(const std::string& fileName)
{
    FTabs->Append(fileName);
}

// Selecting a tab by program raises no tab events.
void TForm1::SelectTabQuietly(int index)
{
    FTabs->SelectQuietly(index);
}

// Brings the tab's editor to the front. The window follows through FrontTabShown; a tab that was
// in front already is followed all the same, since its text may have been read in anew.
void TForm1::ShowTab(int index)
{
    if (FTabs->EditorOf(index) == Editor())
        FrontTabShown();
    else
        FTabs->Show(index);
}

// Whatever shows the text in front follows it: the caption, the figures, the caret position,
// whether it has unsaved changes, and a selection it had with its figures.
void TForm1::FrontTabShown()
{
    if (const Document* document = FTabs->FrontDocument())
        setWindowTitle(MakeTitle(document->FileName));
    emit FrontEditorChanged(Editor());
    if (selectionShown) {
        SetStatusText(2, QString());
        selectionShown = false;
    }
    TextRichEditChange();
    TextRichEditSelectionChange();
    ShowSelectionCommands(Editor()->textCursor().hasSelection());
}

// Cut and copy have something to do only while text is selected.
void TForm1::ShowSelectionCommands(bool selected)
{
    ui->Cut1->setEnabled(selected);
    ui->Copy1->setEnabled(selected);
}

void TForm1::New1Click()
{
    setWindowTitle(MakeTitle({}));
    TabControl1Changing();
    AppendTab({});
    SelectTabQuietly(ui->TabControl1->count() - 1);
    ShowTab(ui->TabControl1->count() - 1);
    Editor()->setFocus();
}

std::string TForm1::OpenTextInNewTab()
{
    setWindowTitle(MakeTitle({}));
    const Document* source = FTabs->FrontDocument();
    if (!source)
        return {};
    New1Click();
    return source ? source->GetText() : std::string();
}

// The dialog starts in the folder of the document in front, when it has a file.
void TForm1::Open1Click()
{
    if (const Document* front = FTabs->FrontDocument(); front && !front->FileName.empty())
        OpenDialog1->setDirectory(
            QFileInfo(QFile::decodeName(front->FileName.c_str())).absolutePath());
    if (OpenDialog1->exec() != QDialog::Accepted)
        return;
    // Each file that cannot be opened is told on its own; the others open all the same.
    for (const QString& path : OpenDialog1->selectedFiles())
        RunCommand(this, [&] { OpenFile(LocalPath(path)); });
}

// The file is known by its absolute path from here on, so that the history and the last session
// find it from any folder.
void TForm1::OpenFile(const std::string& name)
{
    const std::string path =
        AbsolutePath(name, QFile::encodeName(QDir::currentPath()).toStdString());
    if (const std::string reason = UsefulFunc::UnreadableReason(path); !reason.empty())
        throw Exception("ファイル " + path + " は" + reason);
    // A file already open is not read a second time: its tab, with its edits, comes to the front.
    if (const int open = Documents().IndexOfFile(path); open >= 0) {
        ui->TabControl1->setCurrentIndex(open);
        AddHistory(path);
        Editor()->setFocus();
        return;
    }
    const QString previousTitle = windowTitle();
    setWindowTitle(MakeTitle(path));
    TabControl1Changing();
    const int previous = FTabs->FrontIndex();
    AppendTab(path);
    const int index = ui->TabControl1->count() - 1;
    SelectTabQuietly(index);
    Document* document = Documents().Item(index);
    // Before reading: a change meanwhile is noticed afterwards, and the file's last record (a tab
    // closed before) is not taken for a change while the notices of the reading are up.
    WatchFile(path);
    FileReading text;
    try {
        text = LoadFileInto(*document, path, std::nullopt);
    } catch (...) {
        // No half-made tab stays behind: the previous document is shown as before, under its
        // own caption.
        FTabs->Remove(index);
        SelectTabQuietly(previous);
        setWindowTitle(previousTitle);
        throw;
    }
    // The text goes into the tab's own, which the editor already shows, so that only the lines in
    // view are laid out; the document reads its text from there from now on.
    FTabs->Show(index);
    ShowLoadedText(*document, std::move(text));
    PlaceRememberedCaret(path);
    ShowTab(index);
    AddHistory(path);
    Editor()->setFocus();
}

void TForm1::TextRichEditDropFiles()
{
    TRichEditEx* editor = Editor();
    const unsigned count = editor->GetDropFileCount();
    for (unsigned i = 0; i < count; ++i)
        if (const char* name = editor->GetDropFileName(i))
            RunCommand(this, [&] { OpenFile(name); });
}

// QTabBar reports only after the change; the editor in front is still the previous tab's then.
void TForm1::TabControl1CurrentChanged(int)
{
    TabControl1Changing();
    TabControl1Change();
}

// The tab going to the back keeps its caret, selection and scroll position in its own editor:
// nothing to store.
void TForm1::TabControl1Changing() {}

void TForm1::TabControl1Change()
{
    const int index = ui->TabControl1->currentIndex();
    if (!Documents().Item(index))
        return;
    ShowTab(index);
    Editor()->setFocus();
}

void TForm1::Save1Click()
{
    SaveDocument(FTabs->FrontIndex());
}

void TForm1::SaveAs1Click()
{
    SaveDocumentAs(FTabs->FrontIndex());
}

void TForm1::AllSaveClick()
{
    SaveAll();
}

bool TForm1::SaveAll()
{
    for (int i = 0; i < ui->TabControl1->count(); ++i)
        SaveDocument(i);
    return true;
}

// Asked before a save would turn characters that the document's encoding (Shift-JIS or EUC-JP)
// cannot hold into "?".
bool TForm1::ConfirmLossySave(int index)
{
    const Document* document = Documents().Item(index);
    const QString text =
        QStringLiteral(u"「%1」には %2 で保存できない文字があります。\n"
                       u"保存すると、それらの文字は「?」に置き換えられます。保存しますか？")
            .arg(ui->TabControl1->tabText(index),
                 QString::fromLatin1(
                     EncodingName(document ? document->Encoding : TextEncoding::ShiftJis)));
    return QMessageBox::question(this, QStringLiteral("Kotonami"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// Every tab saves the same way, in front or behind it: a failure names the file and the reason
// and leaves the tab modified.
bool TForm1::SaveDocument(int index)
{
    Document* document = Documents().Item(index);
    if (!document)
        return false;
    if (document->FileName.empty())
        return SaveDocumentAs(index);
    if (!WriteInEncoding(index, *document))
        return false;
    // The tab shows what the file now holds; one undo brings the characters back.
    ShowSavedForm(*FTabs->TextOf(index), document->Encoding);
    document->SetModified(false);
    if (index == FTabs->FrontIndex()) {
        // The panel's size is that of the encoding the text now has.
        TextRichEditChange();
        TextRichEditSelectionChange();
    }
    RememberCaret(index);
    return true;
}

bool TForm1::SaveDocumentAs(int index)
{
    Document* document = Documents().Item(index);
    if (!document)
        return false;
    ChooseSaveEncoding(*document);
    // The dialog starts in the document's own folder with its name.
    if (!document->FileName.empty()) {
        const QFileInfo file(QFile::decodeName(document->FileName.c_str()));
        SaveDialog1->setDirectory(file.absolutePath());
        SaveDialog1->selectFile(file.fileName());
    }
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return false;
    // A save the writer calls off at a question changes nothing: the document keeps its name
    // and encoding, the window and the tab their captions. One that fails keeps the new name.
    const std::string fileName = document->FileName;
    const TextEncoding encoding = document->Encoding;
    const LineBreak lineBreak = document->FileLineBreak;
    const bool endsWithBreak = document->FileEndsWithBreak;
    const QString title = windowTitle();
    const QString caption = ui->TabControl1->tabText(index);
    const std::string path = LocalPath(SaveDialog1->selectedFiles().constFirst());
    document->FileName = path;
    TakeSaveEncoding(*document);
    // A tab behind the front one keeps the caption of the front one on the window.
    const bool shown = index == FTabs->FrontIndex();
    if (shown)
        setWindowTitle(MakeTitle(path));
    ui->TabControl1->setTabText(index, Caption(path));
    if (SaveAsAndAddHistory(index, path))
        return true;
    document->FileName = fileName;
    document->Encoding = encoding;
    document->FileLineBreak = lineBreak;
    document->FileEndsWithBreak = endsWithBreak;
    setWindowTitle(title);
    ui->TabControl1->setTabText(index, caption);
    return false;
}

bool TForm1::QuerySave(int index)
{
    const Document* document = Documents().Item(index);
    if (!document)
        return true;
    if (!document->IsModified())
        return true;
    const QString text = QStringLiteral(u"「%1」のテキストは変更されています。\n保存しますか？")
                             .arg(ui->TabControl1->tabText(index));
    switch (QMessageBox::warning(this, QStringLiteral("Kotonami"), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return SaveDocument(index);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TForm1::QuerySaveAll()
{
    for (int i = 0; i < ui->TabControl1->count(); ++i)
        if (!QuerySave(i))
            return false;
    return true;
}

bool TForm1::CloseTab(int index)
{
    QTabBar* tabs = ui->TabControl1;
    if (index < 0 || index >= tabs->count() || !QuerySave(index))
        return false;
    const bool wasSelected = index == FTabs->FrontIndex();
    if (wasSelected) {
        const int neighbour = index + 1 < tabs->count() ? index + 1 : index - 1;
        if (neighbour >= 0)
            SelectTabQuietly(neighbour);
    }
    RememberCaret(index);
    emit DocumentClosing(Documents().Item(index));
    FTabs->Remove(index);
    if (tabs->currentIndex() == -1)
        New1Click();
    if (wasSelected)
        TabControl1Change();
    Editor()->setFocus();
    return true;
}

void TForm1::DeleteTabItemClick()
{
    CloseTab(FTabs->FrontIndex());
}

void TForm1::AllCloseItemClick()
{
    const int count = ui->TabControl1->count();
    for (int i = 0; i < count; ++i)
        if (!CloseTab(0))
            break;
}

void TForm1::StartUp(const std::vector<std::string>& items)
{
    TRichEditEx* editor = Editor();
    editor->SetModified(false);
    ShowModifiedMark();
    editor->SetInitializing(false);
    // The recovered documents first: a file named on the command line or left open by the last
    // session that comes back with its unsaved changes is not read again beside them.
    OfferRecovery();
    OpenCommandLineItems(items);
    if (items.empty() && ReopenLastFilesItem->isChecked())
        ReopenLastFiles();
    CloseTab(0);
    ShowInformation(false);
}

void TForm1::OpenCommandLineItems(const std::vector<std::string>& items)
{
    QStringList missing;
    for (const std::string& item : items) {
        const std::string path = UsefulFunc::ExactPathName(item);
        const QString name = QFile::decodeName(QByteArray::fromStdString(path));
        if (QFile::exists(name))
            RunCommand(this, [&] { OpenFile(path); });
        else
            missing << name;
    }
    MessageBoxes::ShowMissingFiles(this, missing);
}
