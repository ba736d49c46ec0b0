// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritingLogWindow.h"

#include "app/CommandGuard.h"
#include "app/WritingChart.h"
#include "dialogs/SideWindow.h"
#include "shell/Exceptions.h"

#include <QDate>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>
#include <map>

namespace {

QDate DateOf(const std::string& day)
{
    return QDate::fromString(QString::fromStdString(day), QStringLiteral("yyyy-MM-dd"));
}

QString DayLabel(const QDate& date)
{
    return date.toString(QStringLiteral("M/d"));
}

QString UnitText(const WritingGoal& goal)
{
    return goal.unit == GoalUnit::Sheets ? QStringLiteral(u"枚") : QStringLiteral(u"字");
}

} // namespace

WritingLogWindow::WritingLogWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), FCharts(new QWidget(this)), FTitle(new QLabel(FCharts)),
      FDaily(new WritingChart(FCharts)), FTotal(new WritingChart(FCharts)),
      FPace(new QLabel(FCharts)), FTable(new QTableWidget(this))
{
    setObjectName(QStringLiteral("WritingLogWindow"));
    setWindowTitle(QStringLiteral(u"執筆の記録"));
    FDaily->setObjectName(QStringLiteral("DailyChart"));
    FTotal->setObjectName(QStringLiteral("TotalChart"));
    FPace->setObjectName(QStringLiteral("PaceLabel"));
    FTable->setObjectName(QStringLiteral("DaysTable"));
    FTable->setColumnCount(5);
    FTable->setHorizontalHeaderLabels({QStringLiteral(u"日付"), QStringLiteral(u"追加"),
                                       QStringLiteral(u"削除"), QStringLiteral(u"差引"),
                                       QStringLiteral(u"分")});
    FTable->verticalHeader()->hide();
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* save = new QPushButton(QStringLiteral(u"PNGで保存(&S)…"), this);
    save->setObjectName(QStringLiteral("SavePngButton"));
    connect(save, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { SavePngClick(); }); });
    auto* close = new QPushButton(QStringLiteral(u"閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    CloseWithEscape(*this);
    // The picture saved is the charts with their title and pace, not the table or the buttons.
    FCharts->setObjectName(QStringLiteral("ChartArea"));
    auto* charts = new QVBoxLayout(FCharts);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->addWidget(FTitle);
    charts->addWidget(FDaily, 1);
    charts->addWidget(FTotal, 1);
    charts->addWidget(FPace);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FCharts, 4);
    layout->addWidget(FTable, 3);
    layout->addLayout(buttons);
    resize(560, 640);
}

// Over the main window and whole on its screen, each time it opens.
void WritingLogWindow::Open(const QWidget& owner)
{
    if (!isVisible())
        PlaceOnOwnersScreen(*this, owner);
    show();
    raise();
    activateWindow();
}

void WritingLogWindow::ShowRecord(const WritingRecord& record)
{
    FTitle->setText(record.title);
    ShowDays(record);
    ShowTotals(record);
    FPace->setText(PaceText(record));
    ShowTable(record);
}

// Every one of the last 30 days has its bar, an empty one when nothing was written.
void WritingLogWindow::ShowDays(const WritingRecord& record)
{
    std::map<QDate, std::int64_t> net;
    for (const LogDay& day : record.days)
        net[DateOf(day.day)] = day.tally.added - day.tally.removed;
    const QDate today = DateOf(record.today);
    std::vector<WritingChart::Point> points;
    for (int back = ChartDays - 1; back >= 0; --back) {
        const QDate date = today.addDays(-back);
        const auto found = net.find(date);
        points.push_back(
            {DayLabel(date), found == net.end() ? 0.0 : static_cast<double>(found->second)});
    }
    const double daily = record.goal ? static_cast<double>(record.goal->daily) : 0.0;
    FDaily->SetSeries(WritingChart::Style::Bars, QStringLiteral(u"1日に書いた字数（直近30日）"),
                      std::move(points), daily);
}

// From the first day logged to today, or to the deadline when it is later: the total day by day,
// and from today the road to the target at an even pace.
void WritingLogWindow::ShowTotals(const WritingRecord& record)
{
    const QDate today = DateOf(record.today);
    if (record.totals.empty()) {
        FTotal->SetSeries(WritingChart::Style::Line, QStringLiteral(u"総字数の推移"), {});
        return;
    }
    const QDate first = std::min(DateOf(record.totals.front().first), today);
    const bool inCharacters = record.goal && record.goal->unit == GoalUnit::Characters;
    const QDate deadline = record.goal ? DateOf(record.goal->deadline) : QDate();
    const QDate last = deadline.isValid() && deadline > today ? deadline : today;
    std::map<QDate, std::int64_t> totals;
    for (const auto& [day, characters] : record.totals)
        totals[DateOf(day)] = characters;
    std::vector<WritingChart::Point> points;
    double value = 0;
    const double nothing = std::numeric_limits<double>::quiet_NaN();
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        if (const auto found = totals.find(date); found != totals.end())
            value = static_cast<double>(found->second);
        points.push_back({DayLabel(date), date <= today ? value : nothing});
    }
    const double target = inCharacters ? static_cast<double>(record.goal->target) : 0.0;
    if (inCharacters && deadline.isValid() && deadline > today) {
        const double span = static_cast<double>(today.daysTo(deadline));
        for (QDate date = today; date <= deadline; date = date.addDays(1))
            points[static_cast<std::size_t>(first.daysTo(date))].plan =
                value + (target - value) * static_cast<double>(today.daysTo(date)) / span;
    }
    const int marker =
        deadline.isValid() && deadline >= first ? static_cast<int>(first.daysTo(deadline)) : -1;
    FTotal->SetSeries(WritingChart::Style::Line, QStringLiteral(u"総字数の推移"), std::move(points),
                      target, marker);
}

void WritingLogWindow::ShowTable(const WritingRecord& record)
{
    FTable->setUpdatesEnabled(false);
    FTable->setRowCount(static_cast<int>(record.days.size()));
    int row = 0;
    // The newest day first.
    for (auto day = record.days.rbegin(); day != record.days.rend(); ++day, ++row) {
        const DayTally& t = day->tally;
        const QString cells[] = {QString::fromStdString(day->day), QString::number(t.added),
                                 QString::number(t.removed), QString::number(t.added - t.removed),
                                 QString::number((t.activeSeconds + 30) / 60)};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            FTable->setItem(row, column, item);
        }
    }
    FTable->setUpdatesEnabled(true);
}

QString WritingLogWindow::PaceText(const WritingRecord& record)
{
    if (!record.goal)
        return {};
    const WritingGoal& goal = *record.goal;
    const QString unit = UnitText(goal);
    const std::int64_t left = goal.target - record.progress;
    QString text = QStringLiteral(u"目標 %1%2").arg(goal.target).arg(unit);
    if (left <= 0)
        return text + QStringLiteral(u" · 達成しました");
    text += QStringLiteral(u" · あと %1%2").arg(left).arg(unit);
    const QDate deadline = DateOf(goal.deadline);
    if (!deadline.isValid())
        return text;
    const qint64 days = DateOf(record.today).daysTo(deadline) + 1; // today included
    if (days <= 0)
        return text + QStringLiteral(u" · 締め切り %1 を過ぎています")
                          .arg(QString::fromStdString(goal.deadline));
    const std::int64_t pace = (left + days - 1) / days;
    return text + QStringLiteral(u" · 締め切り %1 まで %2日 · 1日 %3%4で達します")
                      .arg(QString::fromStdString(goal.deadline))
                      .arg(days)
                      .arg(pace)
                      .arg(unit);
}

void WritingLogWindow::SavePng(const QString& path)
{
    // Written whole or not at all: a picture cut short never replaces one that was there.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !FCharts->grab().save(&file, "PNG") || !file.commit())
        throw Exception(QStringLiteral(u"%1 に書き込めません").arg(path).toStdString());
}

void WritingLogWindow::SavePngClick()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral(u"執筆の記録を保存"), QStringLiteral("writing-log.png"),
        QStringLiteral(u"PNG 画像 (*.png)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        SavePng(path);
}
