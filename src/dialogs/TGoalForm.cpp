// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TGoalForm.h"
#include "ui_TGoalForm.h"

#include <QDate>
#include <QPushButton>

namespace {

const QString DayFormat = QStringLiteral("yyyy-MM-dd");

} // namespace

TGoalForm::TGoalForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TGoalForm>())
{
    ui->setupUi(this);
    ui->Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral(u"キャンセル"));
    connect(ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->DeadlineCheck, &QCheckBox::toggled, ui->DeadlineEdit, &QWidget::setEnabled);
    // Ticked by the writer (its mnemonic, a click), the deadline is the next thing to type.
    connect(ui->DeadlineCheck, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            ui->DeadlineEdit->setFocus();
    });
}

TGoalForm::~TGoalForm() = default;

void TGoalForm::SetGoal(const std::optional<WritingGoal>& goal)
{
    const WritingGoal shown = goal.value_or(WritingGoal{});
    ui->TargetEdit->setValue(static_cast<int>(shown.target));
    ui->UnitBox->setCurrentIndex(shown.unit == GoalUnit::Sheets ? 1 : 0);
    ui->DailyEdit->setValue(static_cast<int>(shown.daily));
    const QDate deadline = QDate::fromString(QString::fromStdString(shown.deadline), DayFormat);
    ui->DeadlineCheck->setChecked(deadline.isValid());
    ui->DeadlineEdit->setDate(deadline.isValid() ? deadline : QDate::currentDate().addMonths(1));
}

std::optional<WritingGoal> TGoalForm::Goal() const
{
    if (ui->TargetEdit->value() == 0)
        return std::nullopt;
    WritingGoal goal;
    goal.unit = ui->UnitBox->currentIndex() == 1 ? GoalUnit::Sheets : GoalUnit::Characters;
    goal.target = ui->TargetEdit->value();
    goal.daily = ui->DailyEdit->value();
    if (ui->DeadlineCheck->isChecked())
        goal.deadline = ui->DeadlineEdit->date().toString(DayFormat).toStdString();
    return goal;
}
