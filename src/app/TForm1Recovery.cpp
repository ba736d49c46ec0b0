// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery after a window ended without saving: the files that keep the unsaved changes
// (RecoveryKeeper) and, at start, the offer to bring back those of a window no longer running.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"
#include "app/RecoveryKeeper.h"
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

constexpr char16_t GetaMark = u'〓';

QString ListLine(const RecoveryRecord& record)
{
    return QStringLiteral("%1\t%2").arg(QString::fromStdString(TabCaption(record.fileName)),
                                        QDateTime::fromSecsSinceEpoch(record.changedAt)
                                            .toString(QStringLiteral("yyyy/MM/dd hh:mm")));
}

// Changes the text without an undo step: what comes back from a recovery file is where the
// writer's history starts.
template <class Change> void WithoutUndo(QTextDocument& text, Change change)
{
    const bool undo = text.isUndoRedoEnabled();
    text.setUndoRedoEnabled(false);
    change();
    text.setUndoRedoEnabled(undo);
}

// A Shift-JIS text goes in by its lines, each with a break after it, so that its lines keep their
// byte pairs; a text whose last line had no break loses the one it got. Then the characters behind
// its geta marks come back in their place.
void FinishShiftJisText(EditorDocument& shown, const RecoveryRecord& record)
{
    WithoutUndo(shown, [&] {
        if (!record.text.empty() && record.text.back() != '\n' && record.text.back() != '\r') {
            QTextCursor end(&shown);
            end.movePosition(QTextCursor::End);
            end.deletePreviousChar();
        }
        if (record.marked.empty())
            return;
        std::u16string_view marked = record.marked;
        QTextCursor found(&shown);
        while (!marked.empty()) {
            found = shown.find(QString(QChar(GetaMark)), found, QTextDocument::FindCaseSensitively);
            if (found.isNull())
                return;
            const std::size_t size = marked.size() > 1 && QChar::isHighSurrogate(marked[0]) &&
                                             QChar::isLowSurrogate(marked[1])
                                         ? 2
                                         : 1;
            if (marked[0] != GetaMark)
                found.insertText(QString::fromUtf16(marked.data(), static_cast<qsizetype>(size)));
            marked.remove_prefix(size);
        }
    });
}

} // namespace

void TForm1::SetUpRecovery()
{
    FRecovery = new RecoveryKeeper(
        *FTabs, [this](const QString& notice) { statusBar()->showMessage(notice, 10000); }, this);
    connect(this, &TForm1::DocumentClosing, FRecovery, &RecoveryKeeper::Forget);
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
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    QPushButton* restore = box.addButton(QStringLiteral(u"復元する"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral(u"破棄する"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral(u"後で"), QMessageBox::RejectRole);
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
    if (record.encoding == TextEncoding::ShiftJis) {
        text.shiftJis = record.text;
    } else {
        text.decoded = Cp932::Decode(record.text, Cp932::LineBreaks::Convert);
        PutBackMarkedCharacters(text.decoded, record.marked);
    }
    FTabs->Show(index);
    ShowLoadedText(*document, std::move(text));
    EditorDocument* shown = FTabs->TextOf(index);
    if (record.encoding == TextEncoding::ShiftJis)
        FinishShiftJisText(*shown, record);
    shown->setModified(true);
    QTextCursor caret(shown);
    caret.setPosition(
        static_cast<int>(std::clamp<std::int64_t>(record.caret, 0, shown->characterCount() - 1)));
    Editor()->setTextCursor(caret);
    FRecovery->Adopt(shown, taken);
    ShowTab(index);
    setWindowTitle(MakeTitle(record.fileName));
}
