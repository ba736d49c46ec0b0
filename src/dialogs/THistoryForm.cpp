// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "THistoryForm.h"

#include "ui_THistoryForm.h"

THistoryForm::THistoryForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                         Qt::WindowTitleHint),
      ui(std::make_unique<Ui::THistoryForm>())
{
    ui->setupUi(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ClearButton, &QPushButton::clicked, this, &THistoryForm::ClearButtonClick);
}

THistoryForm::~THistoryForm() = default;

void THistoryForm::SetHistoryMax(int value)
{
    ui->HistoryEdit->setText(QString::number(value));
}

QString THistoryForm::HistoryText() const
{
    return ui->HistoryEdit->text();
}

void THistoryForm::ClearButtonClick()
{
    emit ClearHistory();
}
