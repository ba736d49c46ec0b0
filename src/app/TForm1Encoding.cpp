// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The encodings of the documents' files: reading a file in its encoding, writing it back in the
// document's one, the status-bar section that shows it, the choice in the save dialog and
// reopening a file in another encoding.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "app/SavedForm.h"
#include "controls/EditorDocument.h"
#include "controls/QtShiftJis.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"
#include "documents/FileSaving.h"
#include "shell/Exceptions.h"
#include "shell/TextLines.h"
#include "shell/UsefulFunc.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>

#include <algorithm>
#include <limits>
#include <new>

namespace {

// The lines a text makes in the editor, as the number column counts them: one after each break
// (CR LF, CR, LF, or a paragraph separator in a decoded text) and the last one.
template <class Char> int LinesOf(std::basic_string_view<Char> text)
{
    std::int64_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        bool paragraph = false;
        if constexpr (sizeof(Char) > 1)
            paragraph = c == Char(0x2029);
        lines += paragraph || c == Char('\n') ||
                 (c == Char('\r') && (i + 1 == text.size() || text[i + 1] != Char('\n')));
    }
    return static_cast<int>(std::min<std::int64_t>(lines, std::numeric_limits<int>::max()));
}

std::u16string_view View(const QString& text)
{
    return QtShiftJis::View(text);
}

QString FromUtf16(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString Name(TextEncoding encoding)
{
    return QString::fromLatin1(EncodingName(encoding));
}

QStringList EncodingNames()
{
    QStringList names;
    for (const TextEncoding encoding : AllEncodings)
        names << Name(encoding);
    return names;
}

// The status-bar section beside the encoding's, and the save dialog's choice of line break: found
// by name, made in BuildEncodingControls.
const QString LineBreakPanelName = QStringLiteral("LineBreakPanel");
const QString SaveLineBreakBoxName = QStringLiteral("SaveLineBreakBox");

} // namespace

void TForm1::BuildEncodingControls()
{
    FEncodingPanel = new QLabel(statusBar());
    FEncodingPanel->setObjectName(QStringLiteral("StatusPanel4"));
    FEncodingPanel->setFixedWidth(100 * logicalDpiX() / 96);
    statusBar()->addWidget(FEncodingPanel);
    auto* lineBreakPanel = new QLabel(statusBar());
    lineBreakPanel->setObjectName(LineBreakPanelName);
    // It takes the room the bar has left and asks for none, so that the window keeps its
    // narrowest width.
    lineBreakPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lineBreakPanel->setMinimumWidth(0);
    statusBar()->addWidget(lineBreakPanel, 1);

    // The save dialog's own grid takes one more row: the encoding to save in.
    FSaveEncodingBox = new QComboBox(SaveDialog1);
    FSaveEncodingBox->setObjectName(QStringLiteral("SaveEncodingBox"));
    FSaveEncodingBox->addItems(EncodingNames());
    if (auto* grid = qobject_cast<QGridLayout*>(SaveDialog1->layout())) {
        const int row = grid->rowCount();
        auto* encodingLabel = new QLabel(QStringLiteral(u"エンコーディング(&E):"), SaveDialog1);
        encodingLabel->setBuddy(FSaveEncodingBox);
        grid->addWidget(encodingLabel, row, 0);
        grid->addWidget(FSaveEncodingBox, row, 1);
        auto* lineBreakBox = new QComboBox(SaveDialog1);
        lineBreakBox->setObjectName(SaveLineBreakBoxName);
        for (const LineBreak lineBreak : AllLineBreaks)
            lineBreakBox->addItem(QString::fromLatin1(LineBreakName(lineBreak)));
        auto* lineBreakLabel = new QLabel(QStringLiteral(u"改行(&L):"), SaveDialog1);
        lineBreakLabel->setBuddy(lineBreakBox);
        grid->addWidget(lineBreakLabel, row + 1, 0);
        grid->addWidget(lineBreakBox, row + 1, 1);
    }

    ReopenWithEncodingItem =
        new QAction(QStringLiteral(u"エンコーディングを指定して開き直す(&E)..."), this);
    ReopenWithEncodingItem->setObjectName(QStringLiteral("ReopenWithEncodingItem"));
    const QList<QAction*> fileActions = ui->File1->actions();
    const qsizetype open = fileActions.indexOf(ui->Open1);
    ui->File1->insertAction(open >= 0 && open + 1 < fileActions.size() ? fileActions[open + 1]
                                                                       : nullptr,
                            ReopenWithEncodingItem);
    ConnectCommand(ReopenWithEncodingItem, &QAction::triggered, this,
                   &TForm1::ReopenWithEncodingItemClick);
}

void TForm1::ShowEncoding()
{
    if (const Document* document = FTabs->FrontDocument()) {
        FEncodingPanel->setText(Name(document->Encoding));
        if (auto* panel = statusBar()->findChild<QLabel*>(LineBreakPanelName))
            panel->setText(QString::fromLatin1(LineBreakName(document->FileLineBreak)));
    }
}

// Reads the file for the document through the one file reader; the document takes the file's
// name, encoding and line breaks. Throws Exception("ﾌｧｲﾙ %s は開けません"), or one naming the
// file when it does not fit in memory. The caller watches the file.
FileReading TForm1::LoadFileInto(Document& document, const std::string& path,
                                 std::optional<TextEncoding> encoding)
try {
    FileReading read = ReadTextFile(path, encoding, FReadingHook);
    // The editor shows the file's lines as they are: no empty line after a last one without a
    // break.
    if (!read.endsWithBreak && read.decoded.ends_with(u'\n'))
        read.decoded.pop_back();
    if (read.notUtf8)
        QMessageBox::information(
            this, QStringLiteral("Kotonami"),
            QStringLiteral(u"「%1」には UTF-8 "
                           u"として正しくないバイトがあります。その箇所を〓として開きます。")
                .arg(QFile::decodeName(QByteArray::fromStdString(path))));
    document.CutAtNul = read.nulAt ? std::optional<NulCut>({path, *read.nulAt}) : std::nullopt;
    TellCutAtNul(document);
    document.Encoding = read.encoding;
    document.FileName = path;
    document.Modified = false;
    document.FileLineBreak = read.lineBreak;
    document.FileEndsWithBreak = read.endsWithBreak;
    UsefulFunc::RemoveSaveLeftovers(path);
    return read;
} catch (const std::bad_alloc&) {
    // Nothing is opened; what was taken goes back with the unwinding.
    throw Exception("ﾌｧｲﾙ " + path + " はメモリに収まらないため開けません");
}

// Puts a freshly read file into the tab's text, which the editor shows, so that only the lines in
// view are laid out: a Shift-JIS text from its bytes, each line keeping its file bytes, the text
// of another encoding as it was read. A file larger than one piece goes in piece by piece with the
// progress in the status bar; the editor is drawn again once it is all in, and nothing else
// happens in the window meanwhile. The document reads its text from there from now on. Raises
// no editor events: the caller shows the tab afterwards.
void TForm1::ShowLoadedText(Document& document, FileReading text)
{
    TRichEditEx* editor = Editor();
    EditorDocument* shown = editor->Text();
    // A new tab's editor takes its place, and its gutter its width, before the text goes in: a
    // later width of the text area would lay out every line again.
    if (QLayout* place = editor->parentWidget() ? editor->parentWidget()->layout() : nullptr)
        place->activate();
    // A text comes as a Shift-JIS file's bytes, or as characters (decoded from a file of another
    // encoding, or a recovered text of any encoding).
    const bool asBytes = text.decoded.empty();
    editor->LineInfo()->FitWidth(asBytes ? LinesOf(BeforeNul(text.shiftJis))
                                         : LinesOf(std::u16string_view(text.decoded)));
    const bool inPieces =
        text.shiftJis.size() + 2 * text.decoded.size() > EditorDocument::LoadPieceBytes;
    if (inPieces) {
        // No figures while the text goes in: none of another tab's, none of a half-read text.
        PutPanelTexts(InformationTexts{});
        ui->InformationPanel->repaint();
        BeginProgress(QStringLiteral(u"読み込み中"));
        editor->setUpdatesEnabled(false);
        statusBar()->repaint();
    }
    // However the loading ends, the editor is drawn again and the progress goes.
    const auto shownAgain = qScopeGuard([&] {
        if (!inPieces)
            return;
        // The memory that reading took goes back to the system.
        UsefulFunc::ReleaseFreeMemory();
        editor->setUpdatesEnabled(true);
        EndProgress();
    });
    const auto progress = [this](double share) { SetProgress(share); };
    document.ShowIn(shown);
    const QSignalBlocker blocker(editor);
    const FileReading read = std::move(text); // gone once it is in the document
    shown->MeasureSizesIn(document.Encoding);
    if (asBytes)
        shown->LoadBytes(read.shiftJis, CurrentCountOptions(), FWordCharacters, progress);
    else
        shown->LoadText(read.decoded, progress);
    editor->moveCursor(QTextCursor::Start); // an opened text starts at its top
}

// Writes the text to the document's file in its encoding, after asking when the encoding cannot
// hold every character or the file holds more than the text. False when the writer declines;
// throws EFile naming the file and the reason when writing fails (SaveTextFile).
bool TForm1::WriteInEncoding(int index, Document& document)
{
    // A Shift-JIS text that every character fits is written as its lines' bytes, so that the
    // lines not edited keep the byte pairs of the file, and with the file's line breaks.
    if (!ConfirmOverwriteChanged(index, document.FileName) || !ConfirmCutAtNul(index, document))
        return false;
    bool complete = false;
    if (document.Encoding == TextEncoding::ShiftJis) {
        std::string lines = document.GetText(&complete);
        if (complete) {
            SaveTextFile(document.FileName,
                         WithShiftJisBreaks(std::move(lines), document.FileLineBreak,
                                            document.FileEndsWithBreak));
            WatchFile(document.FileName);
            document.Saved();
            return true;
        }
    }
    const QString text = FTabs->TextOf(index)->toRawText();
    std::string bytes;
    if (!EncodeText(View(text), document.Encoding, document.FileLineBreak,
                    document.FileEndsWithBreak, bytes) &&
        !ConfirmLossySave(index))
        return false;
    SaveTextFile(document.FileName, bytes);
    WatchFile(document.FileName);
    document.Saved();
    return true;
}

void TForm1::ChooseSaveEncoding(const Document& document)
{
    FSaveEncodingBox->setCurrentIndex(static_cast<int>(document.Encoding));
    if (auto* box = SaveDialog1->findChild<QComboBox*>(SaveLineBreakBoxName))
        box->setCurrentIndex(static_cast<int>(document.FileLineBreak));
}

// The file's other ways (its final break, the bytes of lines not edited) go with it.
void TForm1::TakeSaveEncoding(Document& document) const
{
    document.Encoding = static_cast<TextEncoding>(FSaveEncodingBox->currentIndex());
    if (const auto* box = SaveDialog1->findChild<QComboBox*>(SaveLineBreakBoxName))
        document.FileLineBreak = static_cast<LineBreak>(box->currentIndex());
}

void TForm1::ReopenWithEncodingItemClick()
{
    const int index = FTabs->FrontIndex();
    Document* document = Documents().Item(index);
    if (!document || document->FileName.empty())
        return;
    TRichEditEx* editor = Editor();
    if (editor->GetModified()) {
        const QString text =
            QStringLiteral(u"「%1」のテキストは変更されています。\n変更を捨てて開き直しますか？")
                .arg(ui->TabControl1->tabText(index));
        if (QMessageBox::warning(this, QStringLiteral("Kotonami"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    bool chosen = false;
    const QString name =
        QInputDialog::getItem(this, QStringLiteral(u"エンコーディングを指定して開き直す"),
                              QStringLiteral(u"エンコーディング(&E):"), EncodingNames(),
                              static_cast<int>(document->Encoding), false, &chosen);
    const qsizetype encoding = EncodingNames().indexOf(name);
    if (!chosen || encoding < 0)
        return;
    ReadTabAgain(index, static_cast<TextEncoding>(encoding));
    ShowTab(index);
}

// Reads the tab's file again into its text, in `encoding` or the one its bytes now show, keeping
// the caret and the scroll position as far as the new text reaches. The file is read whole before
// the tab changes: one that cannot be read (gone, a folder now, no right to read it, changed while
// it was read) leaves the tab as it was, with its text, its file, its undo and what the window
// knew of the file on disk, and the error names the file and why. The text goes in through the
// front editor, so a tab behind it comes to the front for that moment only, and nothing follows
// that moment.
void TForm1::ReadTabAgain(int index, std::optional<TextEncoding> encoding)
{
    Document* document = Documents().Item(index);
    TRichEditEx* editor = FTabs->EditorOf(index);
    const std::string path = document->FileName;
    if (const std::string reason = UsefulFunc::UnreadableReason(path); !reason.empty())
        throw Exception("ファイル " + path + " は" + reason);
    const FileStamp stamp = StampOf(path); // before reading: a change meanwhile shows later
    Document reread;
    FileReading text = LoadFileInto(reread, path, encoding);
    const int position = editor->textCursor().position();
    const int scroll = editor->verticalScrollBar()->value();
    const int front = FTabs->FrontIndex();
    const QSignalBlocker quiet(FTabs.get());
    const auto backToFront = qScopeGuard([&] {
        if (index != front)
            FTabs->Show(front);
    });
    if (index != front)
        FTabs->Show(index);
    // The document stays the one its editor shows: only what it knows of its file changes.
    document->Encoding = reread.Encoding;
    document->FileLineBreak = reread.FileLineBreak;
    document->FileEndsWithBreak = reread.FileEndsWithBreak;
    document->CutAtNul = std::move(reread.CutAtNul);
    try {
        ShowLoadedText(*document, std::move(text));
    } catch (...) {
        // The editor holds only part of the file now: closing the tab asks, and a save asks
        // too, since the file on disk is not what the tab holds.
        document->SetModified(true);
        throw;
    }
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(std::clamp(position, 0, editor->document()->characterCount() - 1));
    editor->setTextCursor(cursor);
    editor->verticalScrollBar()->setValue(scroll);
    WatchFile(path, stamp);
}

// The rewritten text goes into the new tab with the source's encoding, and each geta mark that
// stood for a character without a Shift-JIS form becomes that character again.
void TForm1::PutRewrittenText(std::string_view rewritten, const QString& source,
                              const Document& sourceDocument)
{
    std::u16string text = Cp932::Decode(rewritten, Cp932::LineBreaks::Convert);
    RestoreGetaMarks(text, View(source), sourceDocument.Encoding);
    Editor()->setPlainText(FromUtf16(text));
    if (Document* document = FTabs->FrontDocument()) {
        document->Encoding = sourceDocument.Encoding;
        document->FileLineBreak = sourceDocument.FileLineBreak;
        document->FileEndsWithBreak = sourceDocument.FileEndsWithBreak;
    }
}
