// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 執筆の記録: the writing log of the document in front. The characters written on each of the
// last 30 days (bars, with the daily target as a line), the document's total over time against
// its target and deadline with the pace that makes it, and a table of the days; saved as PNG.

#include "shell/WritingLog.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QTableWidget;
class WritingChart;

// What the window shows, gathered from the log.
struct WritingRecord
{
    QString title;            // the document's name
    std::string today;        // YYYY-MM-DD
    std::vector<LogDay> days; // every day the document was written on, oldest first
    std::vector<std::pair<std::string, std::int64_t>> totals; // characters at each day's end
    std::optional<WritingGoal> goal;
    std::int64_t progress = 0; // the document now, in the goal's unit
};

class WritingLogWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ChartDays = 30;

    explicit WritingLogWindow(QWidget* parent);

    void ShowRecord(const WritingRecord& record);
    // Shows the window, placed over `owner` when it was closed.
    void Open(const QWidget& owner);
    // The charts as a picture; throws Exception when the file cannot be written.
    void SavePng(const QString& path);

    // "締め切り 2026-12-31 まで 24日 · 1日 1250字で達します" and the like; empty without a goal.
    static QString PaceText(const WritingRecord& record);

private:
    void ShowDays(const WritingRecord& record);
    void ShowTotals(const WritingRecord& record);
    void ShowTable(const WritingRecord& record);
    void SavePngClick();

    QWidget* FCharts; // the title, the two charts and the pace
    QLabel* FTitle;
    WritingChart* FDaily;
    WritingChart* FTotal;
    QLabel* FPace;
    QTableWidget* FTable;
};
