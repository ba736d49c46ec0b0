// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The writing log in the window: every tab's sessions kept by WritingLogKeeper, the goal of the
// document in front (設定 › 目標の設定…) with its progress in the status bar, and the chart window
// (解析 › 執筆の記録…), which follows the tab in front.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "analysis/TextAsRead.h"
#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "app/WritingLogKeeper.h"
#include "app/WritingLogWindow.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/TGoalForm.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace {

// The goal's progress follows typing once it pauses: a sheet count reads the whole text.
constexpr int GoalRefreshMilliseconds = 700;

int Percent(std::int64_t done, std::int64_t target)
{
    return target > 0 ? static_cast<int>(std::min<std::int64_t>(done * 100 / target, 999)) : 0;
}

} // namespace

void TForm1::SetUpWritingLog()
{
    FWritingLog = new WritingLogKeeper(
        *FTabs,
        [this](EditorDocument& text) {
            return text.Statistics(CurrentCountOptions(), FWordCharacters).characters;
        },
        [this](const QString& notice) { statusBar()->showMessage(notice, 10000); }, this);
    connect(this, &TForm1::DocumentClosing, FWritingLog, &WritingLogKeeper::Close);

    auto* goalItem = new QAction(QStringLiteral(u"目標の設定(&G)…"), this);
    goalItem->setObjectName(QStringLiteral("GoalSettingItem"));
    ui->SettingItem->addAction(goalItem);
    ConnectCommand(goalItem, &QAction::triggered, this, &TForm1::GoalSettingItemClick);
    auto* logItem = new QAction(QStringLiteral(u"執筆の記録(&W)…"), this);
    logItem->setObjectName(QStringLiteral("WritingLogItem"));
    ui->AnalyzeItem->addAction(logItem);
    ConnectCommand(logItem, &QAction::triggered, this, &TForm1::WritingLogItemClick);

    FGoalPanel = new QLabel(statusBar());
    FGoalPanel->setObjectName(QStringLiteral("GoalPanel"));
    statusBar()->addPermanentWidget(FGoalPanel);
    // Shown only with a goal, so that it takes no room from a narrow window otherwise.
    FGoalPanel->hide();
    FGoalRefresh = new QTimer(this);
    FGoalRefresh->setSingleShot(true);
    FGoalRefresh->setInterval(GoalRefreshMilliseconds);
    connect(FGoalRefresh, &QTimer::timeout, this, &TForm1::ShowWritingProgress);
    connect(this, &TForm1::FrontTextChanged, FGoalRefresh, qOverload<>(&QTimer::start));
    connect(this, &TForm1::FrontEditorChanged, FGoalRefresh, qOverload<>(&QTimer::start));
    connect(FWritingLog, &WritingLogKeeper::Written, FGoalRefresh, qOverload<>(&QTimer::start));
}

std::string TForm1::FrontFileName()
{
    const Document* front = FTabs->FrontDocument();
    return front ? front->FileName : std::string();
}

void TForm1::GoalSettingItemClick()
{
    const std::string path = FrontFileName();
    if (path.empty()) {
        MessageBoxes::ShowInformation(
            this, QStringLiteral(u"目標は保存した文書に設定できます。先に保存してください。"));
        return;
    }
    WritingLog& log = FWritingLog->Log();
    TGoalForm form(this);
    form.SetGoal(log.Goal(path));
    if (form.exec() != QDialog::Accepted)
        return;
    log.SetGoal(path, form.Goal());
    FGoalsReached.erase(path);
    ShowWritingProgress();
}

// The document in front in the goal's unit: characters under the switches, or sheets of the
// formatted count.
std::int64_t TForm1::FrontProgress(const WritingGoal& goal)
{
    if (goal.unit == GoalUnit::Sheets)
        return FPaper.Count(ReadingText(Editor()->GetText(), CurrentCountOptions().excludeRuby))
            .Sheets;
    return Editor()->Text()->Statistics(CurrentCountOptions(), FWordCharacters).characters;
}

// The goal of the document in front and the chart, once typing pauses. It runs while the writer
// types, so a log that cannot be read only hides the progress; the keeper tells of the log's
// trouble once, in the status bar.
void TForm1::ShowWritingProgress()
{
    try {
        const std::string path = FrontFileName();
        const std::optional<WritingGoal> goal =
            path.empty() ? std::nullopt : FWritingLog->GoalOf(path);
        FGoalPanel->setVisible(goal.has_value());
        if (goal)
            ShowGoalProgress(path, *goal);
        else
            FGoalPanel->clear();
        if (FLogWindow != nullptr && FLogWindow->isVisible())
            FLogWindow->ShowRecord(FrontWritingRecord());
    } catch (const std::exception&) {
        FGoalPanel->hide();
    }
}

// "目標 120000字 · 43% · 今日 1200/3000字"; a target reached is told once, in passing.
void TForm1::ShowGoalProgress(const std::string& path, const WritingGoal& goal)
{
    const QString unit =
        goal.unit == GoalUnit::Sheets ? QStringLiteral(u"枚") : QStringLiteral(u"字");
    const std::int64_t progress = FrontProgress(goal);
    const std::int64_t today = FWritingLog->WrittenToday(Editor()->Text());
    QString text = QStringLiteral(u"目標 %1%2 · %3%")
                       .arg(goal.target)
                       .arg(unit)
                       .arg(Percent(progress, goal.target));
    text += goal.daily > 0 ? QStringLiteral(u" · 今日 %1/%2字").arg(today).arg(goal.daily)
                           : QStringLiteral(u" · 今日 %1字").arg(today);
    FGoalPanel->setText(text);
    const std::string day = LocalDay(QDateTime::currentSecsSinceEpoch());
    if (progress >= goal.target && FGoalsReached.insert(path).second)
        statusBar()->showMessage(
            QStringLiteral(u"目標の %1%2 に達しました").arg(goal.target).arg(unit), 10000);
    else if (goal.daily > 0 && today >= goal.daily &&
             FGoalsReached.insert(path + "\n" + day).second)
        statusBar()->showMessage(QStringLiteral(u"今日の目標の %1字 に達しました").arg(goal.daily),
                                 10000);
}

WritingRecord TForm1::FrontWritingRecord()
{
    WritingRecord record;
    const std::string path = FrontFileName();
    record.today = LocalDay(QDateTime::currentSecsSinceEpoch());
    WritingLog& log = FWritingLog->Log();
    // Everything the log holds so far, the sessions still open included.
    FWritingLog->WriteAll();
    if (path.empty()) {
        record.title = QStringLiteral(u"すべての文書");
        record.days = log.Days({});
        return record;
    }
    record.title = QString::fromStdString(path);
    record.days = log.Days({}, path);
    record.totals = log.Totals(path);
    record.goal = log.Goal(path);
    if (record.goal)
        record.progress = FrontProgress(*record.goal);
    return record;
}

void TForm1::WritingLogItemClick()
{
    if (FLogWindow == nullptr)
        FLogWindow = new WritingLogWindow(this);
    FLogWindow->ShowRecord(FrontWritingRecord());
    FLogWindow->Open(*this);
}
