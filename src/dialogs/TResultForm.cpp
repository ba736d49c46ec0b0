// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TResultForm.h"

#include "DialogText.h"
#include "ResultGeometry.h"
#include "ui_TResultForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

TResultForm::TResultForm(QWidget* owner) : QDialog(owner), FUi(std::make_unique<Ui::TResultForm>())
{
    FUi->setupUi(this);
    // The button keeps its width unless the substituted font needs more for its caption.
    QPushButton* copy = FUi->CopyButton;
    copy->resize(std::max(copy->width(), copy->sizeHint().width()), copy->height());
    connect(FUi->CopyButton, &QPushButton::clicked, this, &TResultForm::CopyButtonClick);
}

TResultForm::~TResultForm() = default;

void TResultForm::ShowReport(QWidget* owner, std::string_view report)
{
    const auto form = std::make_unique<TResultForm>(owner);
    form->SetReport(report);
    form->exec();
}

void TResultForm::SetReport(std::string_view report)
{
    FReport = DialogText::FromShiftJis(report);
    FUi->Label1->setText(FReport);
    FUi->Label1->adjustSize();
}

void TResultForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TResultForm::FormShow()
{
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = shownOn ? shownOn->geometry() : QRect();
    const ResultGeometry g = ComputeResultGeometry(
        FUi->Label1->geometry(), FUi->OkButton->size(), FUi->CopyButton->size(),
        frameGeometry().size() - geometry().size(), screenRect);
    setFixedSize(g.Client);
    FUi->OkButton->move(g.OkButton);
    FUi->CopyButton->move(g.CopyButton);
    move(g.Window);
}

void TResultForm::CopyButtonClick()
{
    QGuiApplication::clipboard()->setText(FReport);
}
