// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TSetLineSpaceForm.h"

#include "FieldConversion.h"

#include "ui_TSetLineSpaceForm.h"

#include <QKeyEvent>

TSetLineSpaceForm::TSetLineSpaceForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TSetLineSpaceForm>())
{
    ui->setupUi(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui->LineSpaceEdit->installEventFilter(this);
}

TSetLineSpaceForm::~TSetLineSpaceForm() = default;

void TSetLineSpaceForm::SetLineSpace(int value)
{
    ui->LineSpaceEdit->setText(QString::number(value));
}

std::optional<int> TSetLineSpaceForm::LineSpace() const
{
    return FieldConversion::StrToInt(ui->LineSpaceEdit->text());
}

bool TSetLineSpaceForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->LineSpaceEdit && event->type() == QEvent::KeyPress)
        return LineSpaceEditKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

// Enter confirms and Escape cancels straight from the field; other keys go on to the field.
bool TSetLineSpaceForm::LineSpaceEditKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}
