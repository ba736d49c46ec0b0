// The live information panel: the figures of the whole text after every change, or of the
// selection while one exists, under the counting switches of the settings menu.

#include "TForm1.h"
#include "ui_TForm1.h"

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

// The size is that of the document's own encoding.
void TForm1::WriteInformation(const InformationTexts& texts, bool selection)
{
    WriteInformation({QString::fromLatin1(texts.charNumber),
                      QString::fromLatin1(texts.charNumberPerLine),
                      QString::fromLatin1(texts.lineNumber), QString::fromLatin1(texts.wordNumber),
                      QString::fromLatin1(texts.wordNumberPerLine),
                      DocumentSizeText(selection, QString::fromLatin1(texts.textSize))});
}

// The six fields in the order CharNumber, CharNumberPerLine, LineNumber, WordNumber,
// WordNumberPerLine, TextSize.
void TForm1::WriteInformation(const std::array<QString, 6>& texts)
{
    ui->CharNumber->setText(texts[0]);
    ui->CharNumberPerLine->setText(texts[1]);
    ui->LineNumber->setText(texts[2]);
    ui->WordNumber->setText(texts[3]);
    ui->WordNumberPerLine->setText(texts[4]);
    ui->TextSize->setText(texts[5]);
}

std::array<QString, 6> TForm1::ReadInformation() const
{
    return {ui->CharNumber->text(), ui->CharNumberPerLine->text(), ui->LineNumber->text(),
            ui->WordNumber->text(), ui->WordNumberPerLine->text(), ui->TextSize->text()};
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
            savedInformation = ReadInformation();
        ShowSelectionInformation();
        SetStatusText(2, QStringLiteral(u"選択部分のデータを表示中"));
        selectionShown = true;
    } else if (selectionShown) {
        SetStatusText(2, QString());
        selectionShown = false;
        WriteInformation(savedInformation);
    }
}

// The menu has already toggled the check marks of these switches.
void TForm1::SpaceItemClick()
{
    TextRichEditChange();
}

void TForm1::DoubleByteSpaceItemClick()
{
    TextRichEditChange();
}

void TForm1::TabItemClick()
{
    TextRichEditChange();
}

void TForm1::ExcludeRubyItemClick()
{
    TextRichEditChange();
}

void TForm1::AutoRenewInfoItemClick()
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

void TForm1::LogicalLineItemClick()
{
    TextRichEditChange();
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
