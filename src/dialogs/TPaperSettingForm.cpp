// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPaperSettingForm.h"

#include "DialogText.h"
#include "FieldConversion.h"
#include "paper/TPaper.h"
#include "ui_TPaperSettingForm.h"

#include <string>

namespace {

void ApplyCount(const QString& text, std::int32_t& target, const QString& fieldName,
                const MessageSink& showError)
{
    QString error;
    if (!FieldConversion::ToPositiveInteger(text, target, error))
        showError(FieldConversion::FieldNotSet(error, fieldName));
}

void ApplySet(const QString& text, std::string& target, const QString& fieldName,
              const MessageSink& showError)
{
    QString error;
    if (!FieldConversion::ToShiftJisField(text, target, error))
        showError(FieldConversion::FieldNotSet(error, fieldName));
}

} // namespace

TPaperSettingForm::TPaperSettingForm(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TPaperSettingForm>())
{
    FUi->setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
}

TPaperSettingForm::~TPaperSettingForm() = default;

bool TPaperSettingForm::Edit(QWidget* owner, TPaper& paper, const MessageSink& showError)
{
    const auto form = std::make_unique<TPaperSettingForm>(owner);
    form->Fill(paper);
    if (form->exec() != QDialog::Accepted)
        return false;
    form->Apply(paper, showError);
    return true;
}

bool TPaperSettingForm::Edit(QWidget* owner, TPaper& paper)
{
    return Edit(owner, paper, MessageBoxes::ErrorSink(owner));
}

void TPaperSettingForm::Fill(const TPaper& paper)
{
    FUi->ColumnEdit->setText(QString::number(paper.Column));
    FUi->LineEdit->setText(QString::number(paper.Line));
    FUi->NoFirstEdit->setText(DialogText::FromShiftJis(paper.NoFirstChar));
    FUi->ForceFirstEdit->setText(DialogText::FromShiftJis(paper.ForceFirstChar));
    // A value other than 0 and 1 from a hand-edited settings file acts as "to a double-byte
    // space", so that is what the dialog shows.
    if (paper.Tab == UseTab)
        FUi->UseTabRadioButton->setChecked(true);
    else if (paper.Tab == DeleteTab)
        FUi->DeleteTubRadioButton->setChecked(true);
    else
        FUi->ChangeTabToSpaceRadioButton->setChecked(true);
}

void TPaperSettingForm::Apply(TPaper& paper, const MessageSink& showError) const
{
    ApplyCount(FUi->ColumnEdit->text(), paper.Column,
               DialogText::WithoutMnemonic(FUi->Label1->text()), showError);
    ApplyCount(FUi->LineEdit->text(), paper.Line, DialogText::WithoutMnemonic(FUi->Label2->text()),
               showError);
    paper.Tab = CheckedTab();
    ApplySet(FUi->NoFirstEdit->text(), paper.NoFirstChar,
             DialogText::WithoutMnemonic(FUi->Label3->text()), showError);
    ApplySet(FUi->ForceFirstEdit->text(), paper.ForceFirstChar,
             QString::fromUtf8(u8"強制改行する記号"), showError);
}

std::uint8_t TPaperSettingForm::CheckedTab() const
{
    if (FUi->UseTabRadioButton->isChecked())
        return UseTab;
    if (FUi->DeleteTubRadioButton->isChecked())
        return DeleteTab;
    return ChangeTabToSpace;
}
