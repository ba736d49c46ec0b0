// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TWordCharacterSettingForm.h"

#include "DialogText.h"
#include "FieldConversion.h"
#include "analysis/WordCharacterSet.h"
#include "ui_TWordCharacterSettingForm.h"

#include <string>

TWordCharacterSettingForm::TWordCharacterSettingForm(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TWordCharacterSettingForm>())
{
    FUi->setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
}

TWordCharacterSettingForm::~TWordCharacterSettingForm() = default;

bool TWordCharacterSettingForm::Edit(QWidget* owner, WordCharacterSet& set,
                                     const MessageSink& showError, const MessageSink& showRemoval)
{
    const auto form = std::make_unique<TWordCharacterSettingForm>(owner);
    form->Fill(set);
    if (form->exec() != QDialog::Accepted)
        return false;
    form->Apply(set, showError, showRemoval);
    return true;
}

bool TWordCharacterSettingForm::Edit(QWidget* owner, WordCharacterSet& set)
{
    return Edit(
        owner, set, MessageBoxes::ErrorSink(owner),
        MessageBoxes::NoticeSink(owner, QString::fromUtf8(WordCharacterSet::RemovalCaption)));
}

void TWordCharacterSettingForm::Fill(const WordCharacterSet& set)
{
    FUi->NumberCheckBox->setChecked(set.countDigits);
    FUi->WordListEdit->setText(DialogText::FromShiftJis(set.GetCharacterList()));
}

void TWordCharacterSettingForm::Apply(WordCharacterSet& set, const MessageSink& showError,
                                      const MessageSink& showRemoval) const
{
    set.countDigits = FUi->NumberCheckBox->isChecked();
    std::string list;
    QString error;
    if (!FieldConversion::ToShiftJisField(FUi->WordListEdit->text(), list, error)) {
        showError(
            FieldConversion::FieldNotSet(error, DialogText::WithoutMnemonic(FUi->Label1->text())));
        return;
    }
    if (set.SetCharacterList(list))
        showRemoval(QString::fromUtf8(WordCharacterSet::RemovalMessage));
}
