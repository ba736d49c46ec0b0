// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The live information panel: the figures of the whole text after every change, or of the
// selection while one exists, under the counting switches of the settings menu.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"

#include <QMessageBox>

#include <optional>

CountOptions TForm1::CurrentCountOptions() const
{
    CountOptions options;
    options.countSpace = ui->SpaceItem->isChecked();
    options.countTab = ui->TabItem->isChecked();
    options.countDoubleByteSpace = ui->DoubleByteSpaceItem->isChecked();
    options.excludeRuby = ui->ExcludeRubyItem->isChecked();
    options.lineMode = ui->AppearanceLineItem->isChecked() ? LineMode::Display : LineMode::Logical;
    return options;
}

// The figures follow the text line by line, so that a key costs the same in a long novel as in a
// short story.
void TForm1::ShowInformation(bool useDisplayLines)
{
    TRichEditEx* editor = Editor();
    std::optional<std::int32_t> displayLines;
    if (useDisplayLines)
        displayLines = editor->GetLineCount();
    WriteInformation(
        FormatInformation(editor->Text()->Statistics(CurrentCountOptions(), FWordCharacters),
                          displayLines),
        false);
}

// A selection always counts logical lines.
void TForm1::ShowSelectionInformation()
{
    TRichEditEx* editor = Editor();
    WriteInformation(FormatInformation(editor->Text()->SelectionStatistics(
                         editor->textCursor(), CurrentCountOptions(), FWordCharacters)),
                     true);
}

namespace {

// The fields of the panel, each with the figure it shows.
struct PanelField
{
    QLineEdit* Ui::TForm1::*edit;
    std::string InformationTexts::*text;
};

constexpr PanelField PanelFields[] = {
    {&Ui::TForm1::CharNumber, &InformationTexts::charNumber},
    {&Ui::TForm1::CharNumberPerLine, &InformationTexts::charNumberPerLine},
    {&Ui::TForm1::LineNumber, &InformationTexts::lineNumber},
    {&Ui::TForm1::WordNumber, &InformationTexts::wordNumber},
    {&Ui::TForm1::WordNumberPerLine, &InformationTexts::wordNumberPerLine},
    {&Ui::TForm1::TextSize, &InformationTexts::textSize},
};

} // namespace

// "サイズ" of a tab's document: the bytes of its text (or of the selection in its editor) as its
// file holds them, in its own encoding and with its own line breaks; for a text not yet saved, as
// it would be saved. The counts' Shift-JIS form cannot tell it.
std::int64_t TForm1::DocumentSize(int index, const QTextCursor* selection) const
{
    const Document* document = FTabs->Item(index);
    if (document == nullptr)
        return 0;
    return FTabs->TextOf(index)->SizeIn(document->Encoding, document->FileLineBreak,
                                        document->FileEndsWithBreak, selection);
}

// A Shift-JIS file with CR LF and a final break is its counting form: the figures have its size
// already.
void TForm1::WriteInformation(const InformationTexts& texts, bool selection)
{
    InformationTexts shown = texts;
    const Document* document = FTabs->FrontDocument();
    if (document != nullptr &&
        (document->Encoding != TextEncoding::ShiftJis ||
         document->FileLineBreak != LineBreak::CrLf || !document->FileEndsWithBreak)) {
        const QTextCursor cursor = Editor()->textCursor();
        shown.textSize =
            std::to_string(DocumentSize(FTabs->FrontIndex(), selection ? &cursor : nullptr)) +
            " (bytes)";
    }
    PutPanelTexts(shown);
}

void TForm1::PutPanelTexts(const InformationTexts& texts)
{
    for (const PanelField& field : PanelFields)
        ((*ui).*field.edit)->setText(QString::fromLatin1(texts.*field.text));
}

InformationTexts TForm1::PanelTexts() const
{
    InformationTexts texts;
    for (const PanelField& field : PanelFields)
        texts.*field.text = ((*ui).*field.edit)->text().toLatin1().toStdString();
    return texts;
}

void TForm1::TextRichEditChange()
{
    ShowModifiedMark();
    UpdateCursorPosition();
    UpdateLineInfo();
    if (ui->AutoRenewInfoItem->isChecked())
        ShowInformation(ui->AppearanceLineItem->isChecked());
}

void TForm1::TextRichEditSelectionChange()
{
    // A selection made by program (a match found) moves the caret without a key.
    UpdateCursorPosition();
    TRichEditEx* editor = Editor();
    if (editor->GetSelectionLength() > 0) {
        if (!selectionShown)
            savedInformation = PanelTexts();
        ShowSelectionInformation();
        SetStatusText(2, QStringLiteral(u"選択部分のデータを表示中"));
        selectionShown = true;
    } else if (selectionShown) {
        SetStatusText(2, QString());
        selectionShown = false;
        PutPanelTexts(savedInformation);
    }
}

// A counting switch, the choice of logical lines or automatic renewal: the menu has already
// toggled its check mark, and the panel and the gutter count again under it.
void TForm1::CountingSwitchClick()
{
    TextRichEditChange();
}

void TForm1::RenewInfoClick()
{
    const bool automatic = ui->AutoRenewInfoItem->isChecked();
    ui->AutoRenewInfoItem->setChecked(true);
    TextRichEditChange();
    ui->AutoRenewInfoItem->setChecked(automatic);
}

void TForm1::AppearanceLineItemClick()
{
    TextRichEditChange();
    QMessageBox::warning(this, QStringLiteral("Kotonami"),
                         QStringLiteral(u"--注意--\n"
                                        u"ウィンドウの下の情報表示部分で全体のデータを表示している"
                                        u"場合(選択していない場合)にのみ有効です。\n"
                                        u"それ以外の場合では改行までを1行として扱います。"));
}
