// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery after a window ended without saving: the files that keep the unsaved changes
// (RecoveryKeeper) and, at start, the offer to bring back those of a window no longer running.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"
#include "app/RecoveryKeeper.h"
#include "app/WritingLogKeeper.h"
#include "controls/EditorDocument.h"
#include "controls/QtShiftJis.h"
#include "controls/TRichEditEx.h"
#include "documents/RecoveryFolder.h"

#include <QDateTime>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

namespace {

// A row of the list: the document's name and when it was last changed, the times one under the
// other whatever the names' lengths.
QString ListLine(const RecoveryRecord& record)
{
    return QStringLiteral("<tr><td>%1</td><td style=\"padding-left: 16px\">%2</td></tr>")
        .arg(QString::fromStdString(TabCaption(record.fileName)).toHtmlEscaped(),
             QDateTime::fromSecsSinceEpoch(record.changedAt)
                 .toString(QStringLiteral("yyyy/MM/dd hh:mm")));
}

// The lines that kept their file bytes keep them again, so that saving writes the file's own byte
// pairs; bytes that do not read as the line's text (a damaged file) are left out.
void KeepFileBytes(EditorDocument& shown, const RecoveryRecord& record)
{
    for (const auto& [number, bytes] : record.kept) {
        if (number < 0 || number >= shown.blockCount())
            continue;
        QTextBlock block = shown.findBlockByNumber(static_cast<int>(number));
        if (QtShiftJis::Decode(bytes) == block.text())
            block.setUserData(new QtShiftJis::OriginalBytes(bytes));
    }
}

} // namespace

void TForm1::SetUpRecovery()
{
    FRecovery = new RecoveryKeeper(
        *FTabs, [this](const QString& notice) { statusBar()->showMessage(notice, 10000); },
        [this](int index, RecoveryRecord& record) { DescribeForRecovery(index, record); }, this);
    connect(this, &TForm1::DocumentClosing, FRecovery, &RecoveryKeeper::Forget);
}

// The file as the window last read or saved it, and the writing the log has not yet been given.
void TForm1::DescribeForRecovery(int index, RecoveryRecord& record)
{
    if (!record.fileName.empty())
        record.stamp = KnownStamp(record.fileName);
    if (const auto session = FWritingLog->Unwritten(FTabs->TextOf(index)))
        record.session = RecoveredSession{session->id, session->started, session->charactersAtStart,
                                          session->days};
}

// Offered once, before the design's empty tab goes: restored documents open in tabs of their own.
void TForm1::OfferRecovery()
{
    const std::vector<RecoveryFolder::Orphan> found = RecoveryFolder::Orphans();
    if (found.empty())
        return;
    QStringList lines;
    for (const RecoveryFolder::Orphan& orphan : found)
        lines << ListLine(orphan.record);
    QMessageBox box(QMessageBox::Question, QStringLiteral(u"未保存の変更の復元"),
                    QStringLiteral(u"保存されずに終わった変更があります。復元しますか？"),
                    QMessageBox::NoButton, this);
    box.setInformativeText(QStringLiteral("<table>%1</table>").arg(lines.join(QString())));
    QPushButton* restore = box.addButton(QStringLiteral(u"復元する(&R)"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral(u"破棄する(&D)"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral(u"後で(&L)"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    for (const RecoveryFolder::Orphan& orphan : found) {
        if (box.clickedButton() == restore)
            RestoreRecovered(orphan.record, orphan.path);
        else if (box.clickedButton() == discard)
            RecoveryFolder::Remove(orphan.path);
    }
}

// The document opens under its own name, modified, with the caret where it was; its file is not
// touched until the writer saves. Another window that took the file first keeps it.
void TForm1::RestoreRecovered(const RecoveryRecord& record, const std::string& path)
{
    const std::string taken = FRecovery->NewFileName();
    if (!RecoveryFolder::Claim(path, taken))
        return;
    TabControl1Changing();
    AppendTab(record.fileName);
    const int index = ui->TabControl1->count() - 1;
    SelectTabQuietly(index);
    Document* document = Documents().Item(index);
    document->Encoding = record.encoding;
    document->FileLineBreak = record.lineBreak;
    document->FileEndsWithBreak = record.endsWithBreak;
    FileReading text;
    text.decoded = record.text;
    FTabs->Show(index);
    ShowLoadedText(*document, std::move(text));
    EditorDocument* shown = FTabs->TextOf(index);
    KeepFileBytes(*shown, record);
    shown->setModified(true);
    QTextCursor caret(shown);
    caret.setPosition(
        static_cast<int>(std::clamp<std::int64_t>(record.caret, 0, shown->characterCount() - 1)));
    Editor()->setTextCursor(caret);
    FRecovery->Adopt(shown, taken);
    // Watched as an opened file is, so that a save over a file changed meanwhile asks first.
    if (!record.fileName.empty())
        WatchRestoredFile(record.fileName, record.stamp);
    // The typing that the log had not yet been given when the window ended reaches it now.
    if (const auto& session = record.session) {
        SessionRecord unwritten;
        unwritten.id = session->id;
        unwritten.started = session->started;
        unwritten.charactersAtStart = session->charactersAtStart;
        unwritten.days = session->days;
        FWritingLog->Resume(shown, unwritten);
    }
    ShowTab(index);
    setWindowTitle(MakeTitle(record.fileName));
}
