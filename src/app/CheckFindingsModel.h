// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The findings of the manuscript check as the rows of a list: line, column and message, all of
// them or those of one rule. Every cell gives its rule's id as its Qt::UserRole.

#include "analysis/ManuscriptCheck.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

class CheckFindingsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetFindings(std::vector<CheckFinding> findings);
    // Only the findings of `rule` are rows; none: every finding.
    void SetFilter(std::optional<CheckRule> rule);
    // The finding of a row, or null.
    const CheckFinding* At(int row) const;
    // The row of a finding, or -1 when it is not shown.
    int RowOf(const CheckFinding& finding) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Choose();

    std::vector<CheckFinding> FAll;
    std::vector<CheckFinding> FShown;
    std::optional<CheckRule> FFilter;
};
