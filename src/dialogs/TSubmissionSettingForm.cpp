// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TSubmissionSettingForm.h"

#include "paper/SubmissionPage.h"
#include "ui_TSubmissionSettingForm.h"

#include <cmath>

TSubmissionSettingForm::TSubmissionSettingForm(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TSubmissionSettingForm>())
{
    FUi->setupUi(this);
    for (QSpinBox* field : {FUi->ColumnEdit, FUi->LineEdit, FUi->MarginTopEdit,
                            FUi->MarginBottomEdit, FUi->MarginSideEdit})
        connect(field, &QSpinBox::valueChanged, this, &TSubmissionSettingForm::ShowRoom);
    for (QComboBox* field : {FUi->PageSizeBox, FUi->TurnBox, FUi->DirectionBox})
        connect(field, &QComboBox::currentIndexChanged, this, &TSubmissionSettingForm::ShowRoom);
}

TSubmissionSettingForm::~TSubmissionSettingForm() = default;

bool TSubmissionSettingForm::Edit(QWidget* owner, SubmissionSettings& settings)
{
    const auto form = std::make_unique<TSubmissionSettingForm>(owner);
    form->Fill(settings);
    if (form->exec() != QDialog::Accepted)
        return false;
    form->Apply(settings);
    return true;
}

void TSubmissionSettingForm::Fill(const SubmissionSettings& settings)
{
    FUi->ColumnEdit->setValue(settings.Column);
    FUi->LineEdit->setValue(settings.Line);
    FUi->PageSizeBox->setCurrentIndex(static_cast<int>(settings.Size));
    FUi->TurnBox->setCurrentIndex(static_cast<int>(settings.Turn));
    FUi->DirectionBox->setCurrentIndex(settings.Vertical ? 0 : 1);
    FUi->FontSizeEdit->setValue(settings.FontTenths / 10.0);
    FUi->MarginTopEdit->setValue(settings.MarginTop);
    FUi->MarginBottomEdit->setValue(settings.MarginBottom);
    FUi->MarginSideEdit->setValue(settings.MarginSide);
    FUi->PageNumbersCheck->setChecked(settings.PageNumbers);
    FUi->TitlePlaceBox->setCurrentIndex(static_cast<int>(settings.Title));
    FUi->TitleEdit->setText(QString::fromStdString(settings.TitleText));
    FUi->AuthorEdit->setText(QString::fromStdString(settings.Author));
    ShowRoom();
}

void TSubmissionSettingForm::Apply(SubmissionSettings& settings) const
{
    settings.Column = FUi->ColumnEdit->value();
    settings.Line = FUi->LineEdit->value();
    settings.Size = static_cast<PageSize>(FUi->PageSizeBox->currentIndex());
    settings.Turn = static_cast<PageTurn>(FUi->TurnBox->currentIndex());
    settings.Vertical = FUi->DirectionBox->currentIndex() == 0;
    settings.FontTenths = static_cast<std::int32_t>(std::lround(FUi->FontSizeEdit->value() * 10));
    settings.MarginTop = FUi->MarginTopEdit->value();
    settings.MarginBottom = FUi->MarginBottomEdit->value();
    settings.MarginSide = FUi->MarginSideEdit->value();
    settings.PageNumbers = FUi->PageNumbersCheck->isChecked();
    settings.Title = static_cast<TitlePlace>(FUi->TitlePlaceBox->currentIndex());
    settings.TitleText = FUi->TitleEdit->text().toStdString();
    settings.Author = FUi->AuthorEdit->text().toStdString();
}

void TSubmissionSettingForm::ShowRoom()
{
    SubmissionSettings asked;
    Apply(asked);
    asked.FontTenths = 0;
    FUi->RoomLabel->setText(QStringLiteral(u"自動では %1 pt (文字の送り %2 mm)")
                                .arg(GeometryOf(asked).FontPoints, 0, 'f', 1)
                                .arg(GeometryOf(asked).Pitch, 0, 'f', 2));
}
