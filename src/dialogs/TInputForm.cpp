// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TInputForm.h"

#include "DialogText.h"
#include "ui_TInputForm.h"

#include <QKeyEvent>

TInputForm::TInputForm(QWidget* owner)
    : QDialog(owner), FUi(std::make_unique<Ui::TInputForm>()),
      FShowError(MessageBoxes::ErrorSink(this))
{
    FUi->setupUi(this);
    // As tall as the edit and the buttons, with nothing below them.
    resize(width(), sizeHint().height());
    FUi->InputEdit->installEventFilter(this);
    connect(FUi->OkButton, &QPushButton::clicked, this, &TInputForm::accept);
}

TInputForm::~TInputForm() = default;

std::string TInputForm::Ask(QWidget* owner, const QString& caption)
{
    const auto form = std::make_unique<TInputForm>(owner);
    form->setWindowTitle(caption);
    if (form->exec() != QDialog::Accepted)
        return {};
    return form->Answer();
}

void TInputForm::accept()
{
    const QString text = FUi->InputEdit->text();
    if (!DialogText::ToShiftJis(text, FAnswer)) {
        // The dialog stays open, so that the writer can mend the text.
        FShowError(DialogText::UnencodableMessage(DialogText::FirstUnencodable(text)));
        return;
    }
    QDialog::accept();
}

bool TInputForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FUi->InputEdit && event->type() == QEvent::KeyPress)
        return InputEditKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

// Enter confirms and Escape cancels; neither reaches the edit nor sounds a beep.
bool TInputForm::InputEditKeyPress(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FUi->OkButton->click();
        return true;
    case Qt::Key_Escape:
        FUi->CancelButton->click();
        return true;
    default:
        return false;
    }
}
