// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCancelForm.h"

#include "ui_TCancelForm.h"

TCancelForm::TCancelForm(QWidget* owner) : QDialog(owner), FUi(std::make_unique<Ui::TCancelForm>())
{
    FUi->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Wide enough for the caption "処理中……" whole beside the title bar's buttons.
    const int captionWidth = fontMetrics().horizontalAdvance(windowTitle()) + 120;
    setFixedSize(sizeHint().expandedTo(size()).expandedTo(QSize(captionWidth, 0)));
    connect(FUi->CancelButton, &QPushButton::clicked, this, &TCancelForm::CancelButtonClick);
}

TCancelForm::~TCancelForm() = default;

std::unique_ptr<TCancelForm> TCancelForm::ShowOver(QWidget* owner)
{
    auto form = std::make_unique<TCancelForm>(owner);
    form->setModal(false);
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

// The window stays up: the measurement ends it when it sees the flag.
void TCancelForm::CancelButtonClick()
{
    FCancelled = true;
}
