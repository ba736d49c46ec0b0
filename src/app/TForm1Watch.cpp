// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The open files watched on disk: a file another program changed is read again under a tab
// without edits; under a tab with edits a bar above the editor offers to read it again or to
// ignore it. Saving over a file changed since it was read or saved asks first, and a file deleted
// marks its tab modified. Our own saves replace the file too; they are told apart by the file's
// stamp (size, time of change, inode), taken whenever the window reads or writes the file.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/ChangedOnDiskBar.h"
#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "controls/TRichEditEx.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

QString LocalName(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

// The bar stands above the editors, in the tab page; it speaks of the tab in front. Both the
// files and their folders are watched: an editor that saves by writing a new file and renaming
// it over the old one leaves the old watch on a file that is gone.
void TForm1::SetUpFileWatch()
{
    FFileWatcher = new QFileSystemWatcher(this);
    ConnectCommand(FFileWatcher, &QFileSystemWatcher::fileChanged, this, &TForm1::CheckFilesOnDisk);
    ConnectCommand(FFileWatcher, &QFileSystemWatcher::directoryChanged, this,
                   &TForm1::CheckFilesOnDisk);
    ConnectCommand(this, &TForm1::DocumentClosing, this, &TForm1::KeepWatchToOpenFiles);
    FChangedBar = new ChangedOnDiskBar(ui->TabPage);
    if (auto* layout = qobject_cast<QBoxLayout*>(ui->TabPage->layout()))
        layout->insertWidget(0, FChangedBar);
    ConnectCommand(FChangedBar, &ChangedOnDiskBar::ReloadClicked, this,
                   &TForm1::ReloadChangedClick);
    ConnectCommand(FChangedBar, &ChangedOnDiskBar::IgnoreClicked, this,
                   &TForm1::IgnoreChangedClick);
    ConnectCommand(this, &TForm1::FrontEditorChanged, this, &TForm1::ShowChangedOnDiskBar);
}

// Called as the window has written the file: what is on disk now is what the tab holds.
void TForm1::WatchFile(const std::string& path)
{
    WatchFile(path, StampOf(path));
}

// Called once the text read from the file is shown, with the file's stamp from before it was read:
// a change while it was read is looked at at once.
void TForm1::WatchFile(const std::string& path, const FileStamp& read)
{
    FWatchedFiles[path] = {read, read};
    FChangedUnderEdits.erase(path);
    KeepWatchToOpenFiles(nullptr);
    if (!FFileWatcher)
        return;
    const FileStamp now = StampOf(path);
    const QString name = LocalName(path);
    if (now.exists && !FFileWatcher->files().contains(name))
        FFileWatcher->addPath(name);
    const QString folder = QFileInfo(name).absolutePath();
    if (!FFileWatcher->directories().contains(folder))
        FFileWatcher->addPath(folder);
    ShowChangedOnDiskBar();
    if (now != read)
        QTimer::singleShot(
            0, this, [this, name] { RunCommand(this, [this, &name] { CheckFilesOnDisk(name); }); });
}

// A file restored with the unsaved changes of a window that ended without closing: the window knew
// it as it was when that window last read or saved it (`known`; nothing from a recovery file that
// did not keep it, when what is on disk now is taken). A file changed since then shows the bar, as
// it would have in the window that ended, and a save over it asks first.
void TForm1::WatchRestoredFile(const std::string& path, const std::optional<FileStamp>& known)
{
    WatchFile(path);
    WatchedFile& watched = FWatchedFiles[path];
    if (!known || !watched.seen.exists || watched.seen == *known)
        return;
    watched.known = *known;
    FChangedUnderEdits.insert(path);
    ShowChangedOnDiskBar();
}

// The file as the window last read or wrote it; nothing for one it does not watch.
std::optional<FileStamp> TForm1::KnownStamp(const std::string& path) const
{
    const auto watched = FWatchedFiles.find(path);
    if (watched == FWatchedFiles.end() || !watched->second.known.exists)
        return std::nullopt;
    return watched->second.known;
}

// Only the files open in a tab are watched, and only the folders that hold one: a file whose tab
// closes (`closing`, still among the tabs) or that was saved under another name is let go.
void TForm1::KeepWatchToOpenFiles(const Document* closing)
{
    std::set<std::string> open;
    QSet<QString> names;
    QSet<QString> folders;
    for (int index = 0; index < Documents().Count(); ++index) {
        const Document* document = Documents().Item(index);
        if (document == closing || document->FileName.empty())
            continue;
        open.insert(document->FileName);
        const QString name = LocalName(document->FileName);
        names.insert(name);
        folders.insert(QFileInfo(name).absolutePath());
    }
    std::erase_if(FWatchedFiles, [&open](const auto& file) { return !open.contains(file.first); });
    std::erase_if(FChangedUnderEdits,
                  [&open](const std::string& path) { return !open.contains(path); });
    if (!FFileWatcher)
        return;
    for (const QString& name : FFileWatcher->files())
        if (!names.contains(name))
            FFileWatcher->removePath(name);
    for (const QString& folder : FFileWatcher->directories())
        if (!folders.contains(folder))
            FFileWatcher->removePath(folder);
}

// `changed` is a file or a folder the watch named: only the open files it is, or that it holds,
// are looked at again.
void TForm1::CheckFilesOnDisk(const QString& changed)
{
    for (int index = 0; index < ui->TabControl1->count(); ++index) {
        Document* document = Documents().Item(index);
        if (!document || document->FileName.empty())
            continue;
        const std::string path = document->FileName;
        const QString name = LocalName(path);
        if (name != changed && QFileInfo(name).absolutePath() != changed)
            continue;
        const auto watched = FWatchedFiles.find(path);
        if (watched == FWatchedFiles.end())
            continue;
        const FileStamp now = StampOf(path);
        if (now.exists && !FFileWatcher->files().contains(name))
            FFileWatcher->addPath(name);
        if (now == watched->second.seen)
            continue;
        watched->second.seen = now;
        const QString caption = ui->TabControl1->tabText(index);
        if (!now.exists) {
            // Nothing on disk holds the text any longer: closing the tab asks.
            document->SetModified(true);
            if (index == FTabs->FrontIndex())
                ShowModifiedMark();
            statusBar()->showMessage(
                QStringLiteral(u"「%1」はほかのプログラムで削除されました。").arg(caption), 10000);
        } else if (!document->IsModified()) {
            // A file that cannot be read now is told, and the other files are still looked at.
            RunCommand(this, [&] {
                ReloadFromDisk(
                    index, QStringLiteral(
                               u"「%1」はほかのプログラムで変更されたため、読み込み直しました。")
                               .arg(caption));
            });
        } else {
            FChangedUnderEdits.insert(path);
        }
    }
    ShowChangedOnDiskBar();
}

// Reads the tab's file again (ReadTabAgain) and tells `notice` in the status bar. The encoding is
// found again as when the file is opened, since the other program may have written the file in
// another one; the notice says so when it changed.
void TForm1::ReloadFromDisk(int index, QString notice)
{
    const Document* document = Documents().Item(index);
    if (!document || !FTabs->EditorOf(index))
        return;
    const TextEncoding before = document->Encoding;
    ReadTabAgain(index, std::nullopt);
    if (document->Encoding != before)
        notice += QStringLiteral(u"エンコーディングは %1 から %2 に変わりました。")
                      .arg(QString::fromLatin1(EncodingName(before)),
                           QString::fromLatin1(EncodingName(document->Encoding)));
    if (index == FTabs->FrontIndex())
        FrontTabShown();
    statusBar()->showMessage(notice, 10000);
}

void TForm1::ShowChangedOnDiskBar()
{
    if (!FChangedBar)
        return;
    const int index = FTabs->FrontIndex();
    const Document* document = Documents().Item(index);
    if (document && FChangedUnderEdits.count(document->FileName) != 0)
        FChangedBar->ShowFor(ui->TabControl1->tabText(index));
    else
        FChangedBar->hide();
}

void TForm1::ReloadChangedClick()
{
    const int index = FTabs->FrontIndex();
    const QString text = QStringLiteral(u"「%1」の変更を捨てて、ファイルを読み込み直しますか？")
                             .arg(ui->TabControl1->tabText(index));
    if (QMessageBox::question(this, QStringLiteral("Kotonami"), text,
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    ReloadFromDisk(
        index,
        QStringLiteral(u"「%1」を読み込み直しました。").arg(ui->TabControl1->tabText(index)));
    ShowChangedOnDiskBar();
}

void TForm1::IgnoreChangedClick()
{
    if (const Document* document = FTabs->FrontDocument())
        FChangedUnderEdits.erase(document->FileName);
    ShowChangedOnDiskBar();
}

// Asked before a save would write over a file that changed on disk since the window read or
// wrote it. False when the writer declines.
bool TForm1::ConfirmOverwriteChanged(int index, const std::string& path)
{
    const auto watched = FWatchedFiles.find(path);
    if (watched == FWatchedFiles.end())
        return true;
    const FileStamp now = StampOf(path);
    if (!now.exists || now == watched->second.known)
        return true;
    const QString text =
        QStringLiteral(u"「%1」はほかのプログラムで変更されています。\n上書きして保存しますか？")
            .arg(ui->TabControl1->tabText(index));
    return QMessageBox::question(this, QStringLiteral("Kotonami"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
