// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The analyses of the whole text, the selection and all open documents, the English-word
// setting, and the display of their reports.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"

#include "analysis/AllDocuments.h"
#include "analysis/CharacterCensus.h"
#include "analysis/PhraseCount.h"
#include "analysis/TextAsRead.h"
#include "app/CommandGuard.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TInputForm.h"
#include "dialogs/TResultForm.h"
#include "dialogs/TWordCharacterSettingForm.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Views(const std::vector<std::string>& texts)
{
    return {texts.begin(), texts.end()};
}

} // namespace

void TForm1::ConnectAnalysisActions()
{
    // The tool buttons carry the menu items' actions, and the pop-up menu shares the analysis
    // menu's selection items, so one connection serves every place a command is offered.
    ConnectCommand(ui->CharTypeItem, &QAction::triggered, this, &TForm1::CharTypeItemClick);
    ConnectCommand(ui->CountPhraseItem, &QAction::triggered, this, &TForm1::CountPhraseItemClick);
    ConnectCommand(ui->MenuCharTypeItem, &QAction::triggered, this,
                   &TForm1::PopupCharTypeItemClick);
    ConnectCommand(ui->MenuCountPhraseItem, &QAction::triggered, this,
                   &TForm1::PopupCountPhraseItemClick);
    ConnectCommand(ui->K3, &QAction::triggered, this, &TForm1::K3Click);
    ConnectCommand(ui->K4, &QAction::triggered, this, &TForm1::K4Click);
    ConnectCommand(ui->PaperItem, &QAction::triggered, this, &TForm1::PaperItemClick);
    ConnectCommand(ui->MenuPaperItem, &QAction::triggered, this, &TForm1::MenuPaperItemClick);
    ConnectCommand(ui->PopupPaperItem, &QAction::triggered, this, &TForm1::MenuPaperItemClick);
    ConnectCommand(ui->SimplePaperItem, &QAction::triggered, this, &TForm1::SimplePaperItemClick);
    connect(ui->PopupSimplePaperItem, &QAction::triggered, this,
            &TForm1::PopupSimplePaperItemClick);
    ConnectCommand(ui->PaperOutItem, &QAction::triggered, this, &TForm1::PaperOutItemClick);
    connect(ui->ManuscriptPreviewItem, &QAction::triggered, this,
            &TForm1::ManuscriptPreviewItemClick);
    ConnectCommand(ui->ToDoubleBytes, &QAction::triggered, this, &TForm1::ToDoubleBytesClick);
    ConnectCommand(ui->TokanaItem, &QAction::triggered, this, &TForm1::TokanaItemClick);
    ConnectCommand(ui->PaperSettingItem, &QAction::triggered, this, &TForm1::PaperSettingItemClick);
    ConnectCommand(ui->WordSettingItem, &QAction::triggered, this, &TForm1::WordSettingItemClick);
}

void TForm1::ShowReport(const std::string& shiftJisReport)
{
    TResultForm::ShowReport(this, shiftJisReport);
}

// The phrase to count, or the empty phrase when the writer cancels.
std::string TForm1::AskPhrase()
{
    return TInputForm::Ask(this, QString::fromUtf8(u8"数を数える文字列を入力"));
}

std::string TForm1::SelectedText()
{
    return std::string(NormaliseSelection(Editor()->GetSelectedText()));
}

// Every open document's text, the shown one as the editor holds it now.
std::vector<std::string> TForm1::AllDocumentTexts()
{
    StoreCurrentDocument();
    std::vector<std::string> texts;
    for (int i = 0; i < Documents().Count(); ++i)
        texts.push_back(Documents().Item(i)->GetText());
    return texts;
}

void TForm1::CharTypeItemClick()
{
    const std::string& text = Editor()->GetText();
    if (const auto report =
            MakeCharacterTypeReport(CountCharacterTypes(text, CurrentCountOptions())))
        ShowReport(*report);
}

void TForm1::CountPhraseItemClick()
{
    // The phrase comes first: the text is read as it stands when the writer has answered.
    const std::string phrase = AskPhrase();
    const std::string whole = Editor()->GetText();
    const ReadingText text(whole, CurrentCountOptions().excludeRuby);
    if (const auto report = MakePhraseReport(CountPhrase(text, phrase), phrase))
        ShowReport(*report);
}

void TForm1::PopupCharTypeItemClick()
{
    const CharacterCensus census = CountCharacterTypes(SelectedText(), CurrentCountOptions());
    if (const auto report = MakeCharacterTypeReport(census))
        ShowReport(*report);
}

void TForm1::PopupCountPhraseItemClick()
{
    const std::string phrase = AskPhrase();
    const std::string selected = SelectedText();
    const ReadingText text(selected, CurrentCountOptions().excludeRuby);
    if (const auto report = MakePhraseReport(CountPhrase(text, phrase), phrase))
        ShowReport(*report);
}

// Counts over every open document.
void TForm1::K1Click()
{
    const std::vector<std::string> texts = AllDocumentTexts();
    const std::vector<std::string_view> views = Views(texts);
    std::vector<std::int64_t> sizes;
    for (int i = 0; i < Documents().Count(); ++i)
        sizes.push_back(DocumentSize(i));
    ShowReport(MakeAllDocumentsReport(
        SumStatistics(views, sizes, CurrentCountOptions(), FWordCharacters)));
}

void TForm1::K3Click()
{
    const std::vector<std::string> texts = AllDocumentTexts();
    const std::vector<std::string_view> views = Views(texts);
    if (const auto report = MakeCharacterTypeReport(SumCensus(views, CurrentCountOptions())))
        ShowReport(*report);
}

// Always reports: a cancelled prompt counts the empty phrase, which is found 0 times.
void TForm1::K4Click()
{
    const std::string phrase = AskPhrase();
    std::vector<std::string> texts = AllDocumentTexts();
    if (CurrentCountOptions().excludeRuby) {
        for (std::string& text : texts)
            text = TextAsRead(text);
    }
    const std::vector<std::string_view> views = Views(texts);
    if (const auto report = MakePhraseReport(SumPhraseCounts(views, phrase), phrase))
        ShowReport(*report);
}

void TForm1::WordSettingItemClick()
{
    if (TWordCharacterSettingForm::Edit(this, FWordCharacters))
        TextRichEditChange();
}
