// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckFindingsModel.h"

#include <QString>

#include <algorithm>

namespace {

enum Column
{
    LineColumn,
    CharacterColumn,
    MessageColumn,
    ColumnCount
};

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CheckFindingsModel::SetFindings(std::vector<CheckFinding> findings)
{
    beginResetModel();
    FAll = std::move(findings);
    Choose();
    endResetModel();
}

void CheckFindingsModel::SetFilter(std::optional<CheckRule> rule)
{
    beginResetModel();
    FFilter = rule;
    Choose();
    endResetModel();
}

void CheckFindingsModel::Choose()
{
    FShown.clear();
    if (!FFilter) {
        FShown = FAll;
        return;
    }
    std::copy_if(FAll.begin(), FAll.end(), std::back_inserter(FShown),
                 [this](const CheckFinding& f) { return f.rule == *FFilter; });
}

int CheckFindingsModel::RowOf(const CheckFinding& finding) const
{
    const auto found = std::find(FShown.begin(), FShown.end(), finding);
    return found == FShown.end() ? -1 : static_cast<int>(found - FShown.begin());
}

const CheckFinding* CheckFindingsModel::At(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= FShown.size())
        return nullptr;
    return &FShown[static_cast<std::size_t>(row)];
}

int CheckFindingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FShown.size());
}

int CheckFindingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CheckFindingsModel::data(const QModelIndex& index, int role) const
{
    const CheckFinding* finding = At(index.row());
    if (finding == nullptr)
        return {};
    const CheckRuleInfo& rule = RuleInfo(finding->rule);
    if (role == Qt::UserRole)
        return Utf8(rule.id);
    if (role == Qt::ToolTipRole)
        return Utf8(rule.title) + QStringLiteral(" (") + Utf8(rule.id) + QStringLiteral(")");
    if (role == Qt::TextAlignmentRole && index.column() != MessageColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case LineColumn:
        return QVariant::fromValue(static_cast<qulonglong>(finding->line));
    case CharacterColumn:
        return finding->column;
    default:
        return Utf8(rule.message);
    }
}

QVariant CheckFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LineColumn:
        return QStringLiteral(u"行");
    case CharacterColumn:
        return QStringLiteral(u"桁");
    default:
        return QStringLiteral(u"内容");
    }
}
