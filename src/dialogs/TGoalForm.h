// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The writer's goal for one document: a target in characters or in manuscript sheets, and
// optionally characters a day and a deadline. A target of なし removes the goal.

#include "shell/WritingLog.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class TGoalForm;
}

class TGoalForm : public QDialog
{
    Q_OBJECT

public:
    explicit TGoalForm(QWidget* parent = nullptr);
    ~TGoalForm() override;

    // Fills the fields; nothing: no goal yet, the deadline field offering a month from today.
    void SetGoal(const std::optional<WritingGoal>& goal);
    // The goal as the fields hold it; nothing when the target is なし.
    std::optional<WritingGoal> Goal() const;

private:
    std::unique_ptr<Ui::TGoalForm> ui;
};
