// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The writing log in the window: each edit's characters, the session written on save and read by
// kotonami-count meanwhile, a log that cannot be written, the goal in the status bar and the chart.

#include "WindowHarness.h"

#include "app/WritingLogWindow.h"
#include "cli/CliRunner.h"
#include "dialogs/TGoalForm.h"
#include "shell/ScopedVariable.h"
#include "shell/WritingLog.h"

#include <QComboBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>

#include <ctime>
#include <filesystem>
#include <random>

namespace {

class WindowLogTest : public WindowTest
{
protected:
    std::string LogPath() const
    {
        return FData.filePath("kotonami/writing-log.sqlite3").toStdString();
    }

    // The day's tally of `path` as the log holds it.
    DayTally Logged(const std::string& path) const
    {
        const auto log = WritingLog::OpenForReading(LogPath());
        if (!log)
            return {};
        const auto days = log->Days(LocalDay(std::time(nullptr)), path);
        return days.empty() ? DayTally{} : days.back().tally;
    }

    void Save() { Action("Save1")->trigger(); }

    void Paste(const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        Action("Paste1")->trigger();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Editor(), key, modifiers);
    }

    QString GoalPanel() const { return Form->findChild<QLabel*>("GoalPanel")->text(); }

    QTemporaryDir FData;
    ScopedVariable FDataHome{"XDG_DATA_HOME", FData.path().toStdString()};
};

TEST_F(WindowLogTest, EachEditCountsTheCharactersItAddedAndRemoved)
{
    struct Row
    {
        const char* fact;
        const char8_t* file; // the text the file holds
        std::function<void()> edit;
        std::int64_t added;
        std::int64_t removed;
    };
    const std::vector<Row> rows = {
        {"three typed characters", u8"", [this] { Type("abc"); }, 3, 0},
        {"a line break is no character", u8"",
         [this] {
             Type("ab");
             Key(Qt::Key_Return);
             Type("c");
         },
         3, 0},
        {"Backspace over a line break removes no character", u8"",
         [this] {
             Type("a");
             Key(Qt::Key_Return);
             Key(Qt::Key_Backspace);
         },
         1, 0},
        {"a chapter pasted and deleted again is nothing net", u8"",
         [this] {
             Paste(QStringLiteral(u"一二三\n四五\n"));
             Key(Qt::Key_A, Qt::ControlModifier);
             Key(Qt::Key_Delete);
         },
         5, 5},
        {"undoing typed text removes it", u8"",
         [this] {
             Type(QStringLiteral(u"あいう"));
             Action("UndoItem")->trigger();
         },
         3, 3},
        {"typing over a selection replaces its characters", u8"",
         [this] {
             Type("abc");
             Key(Qt::Key_Left, Qt::ShiftModifier);
             Type("xy");
         },
         5, 1},
        {"a character deleted from the file's text", u8"本文です\r\n",
         [this] { Key(Qt::Key_Delete); }, 0, 1},
        {"a text put in whole in place of three typed characters", u8"",
         [this] {
             Type("abc");
             std::string lines;
             for (int line = 0; line < 5; ++line)
                 lines.append(40, 'x').append("\r\n");
             Editor()->SetText(lines);
         },
         203, 3},
    };
    int file = 0;
    for (const Row& row : rows) {
        const std::string path =
            Write(("text" + std::to_string(++file) + ".txt").c_str(), Sjis(row.file));
        Form->OpenFile(path);
        row.edit();
        Save();
        const DayTally logged = Logged(path);
        EXPECT_EQ(logged.added, row.added) << row.fact;
        EXPECT_EQ(logged.removed, row.removed) << row.fact;
    }
}

// Whatever the edits, what they added less what they removed is what the text gained: random
// inserts with line breaks, deletions across lines, replacements and undo, from a fixed seed.
TEST_F(WindowLogTest, TheNetOfRandomEditsIsWhatTheTextGained)
{
    const auto characters = [this] {
        const QString text = Editor()->toPlainText();
        return static_cast<std::int64_t>(text.size() - text.count(QLatin1Char('\n')));
    };
    const std::string path = Write("random.txt", Sjis(u8"一行目\r\n二行目です\r\n"));
    Form->OpenFile(path);
    const std::int64_t before = characters();
    std::mt19937 random(29);
    const QStringList pieces = {QStringLiteral(u"あ"), QStringLiteral(u"漢字\n"),
                                QStringLiteral("\n"), QStringLiteral(u"章\n\n節"),
                                QString(5000, QChar(u'文'))};
    for (int step = 0; step < 300; ++step) {
        QTextCursor cursor = Editor()->textCursor();
        const int size = Editor()->document()->characterCount() - 1;
        cursor.setPosition(static_cast<int>(random() % static_cast<unsigned>(size + 1)));
        const int what = static_cast<int>(random() % 4);
        if (what == 3) {
            Editor()->undo();
            continue;
        }
        if (what >= 1) {
            const int end = std::min(size, cursor.position() + static_cast<int>(random() % 40));
            cursor.setPosition(end, QTextCursor::KeepAnchor);
        }
        if (what <= 1)
            cursor.insertText(pieces[static_cast<int>(random() % pieces.size())]);
        else
            cursor.removeSelectedText();
    }
    Save();
    const DayTally logged = Logged(path);
    EXPECT_EQ(logged.added - logged.removed, characters() - before);
    EXPECT_GT(logged.removed, 0);
}

// Replace-all is one edit of many changes: the log counts each replacement's own characters, not
// the span from the first match to the last, and so do its undo and its redo.
TEST_F(WindowLogTest, ReplaceAllCountsEachReplacementAndItsUndoTheReverse)
{
    const QString filler = QString(400, QChar(u'文')) + QLatin1Char('\n');
    const QString phrases = QStringLiteral(u"吾輩は猫である。") + filler;
    QString cats;
    for (int i = 0; i < 102; ++i)
        cats += QStringLiteral(u"猫") + filler.left(i % 7 == 0 ? 401 : 30);
    const struct
    {
        const char* fact;
        QString text;
        const char16_t* term;
        const char16_t* replacement;
        int undos;
        int redos;
        std::int64_t added;
        std::int64_t removed;
    } rows[] = {
        {"three phrases replaced", phrases.repeated(3), u"猫である", u"犬だ", 0, 0, 6, 12},
        {"and undone", phrases.repeated(3), u"猫である", u"犬だ", 1, 0, 6 + 12, 12 + 6},
        {"undone and done again", phrases.repeated(3), u"猫である", u"犬だ", 1, 1, 6 + 12 + 6,
         12 + 6 + 12},
        {"102 characters replaced and undone", cats, u"猫", u"犬", 1, 0, 204, 204},
        {"what a replacement keeps is no change", phrases.repeated(2), u"吾輩は猫", u"我輩は猫", 0,
         0, 2, 2},
        {"a line break put in is no character", phrases.repeated(2), u"。", u"。\n", 0, 0, 0, 0},
    };
    int file = 0;
    for (const auto& row : rows) {
        std::string bytes;
        Cp932::Encode(row.text.toStdU16String(), bytes);
        const std::string path =
            Write(("replaced" + std::to_string(++file) + ".txt").c_str(), bytes);
        // A window of its own: the find bar's matches are those of its one text.
        Form = std::make_unique<TForm1>();
        Form->StartUp({path});
        Show();
        Key(Qt::Key_H, Qt::ControlModifier);
        auto* find = Form->findChild<QComboBox*>("FindField");
        find->lineEdit()->setText(QString::fromUtf16(row.term));
        Form->findChild<QLineEdit*>("ReplaceField")->setText(QString::fromUtf16(row.replacement));
        Action("ReplaceAllItem")->trigger();
        ASSERT_NE(Editor()->toPlainText(), row.text) << row.fact;
        for (int i = 0; i < row.undos; ++i)
            Action("UndoItem")->trigger();
        for (int i = 0; i < row.redos; ++i)
            Action("RedoItem")->trigger();
        Save();
        const DayTally logged = Logged(path);
        EXPECT_EQ(logged.added, row.added) << row.fact;
        EXPECT_EQ(logged.removed, row.removed) << row.fact;
    }
}

TEST_F(WindowLogTest, ASavedSessionIsReadByTheCompanionWhileTheWindowIsOpen)
{
    const std::string path = Write("novel.txt", "");
    Form->OpenFile(path);
    Type("abcdef");
    Save();
    TempFolder folder;
    const CliResult result = RunCli(folder, {"--log", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, LocalDay(std::time(nullptr)) + "\t6\t0\t6\t0\n");
    // Written again on the next save: the same session grows.
    Type("gh");
    Save();
    EXPECT_EQ(RunCli(folder, {"--log"}).out, LocalDay(std::time(nullptr)) + "\t8\t0\t8\t0\n");
}

TEST_F(WindowLogTest, AnUntitledDocumentIsLoggedOnceItIsSaved)
{
    Type("abcd");
    const std::string path = PathOf("later.txt");
    AnswerFileDialog(QString::fromStdString(path));
    Save();
    EXPECT_EQ(Logged(path).added, 4);
}

TEST_F(WindowLogTest, ALogThatCannotBeWrittenIsToldOnceAndTheEditorCarriesOn)
{
    std::filesystem::create_directories(LogPath()); // a folder where the file should be
    const std::string path = Write("a.txt", "");
    Form->OpenFile(path);
    Type("abc");
    Save();
    QStatusBar* bar = Form->statusBar();
    EXPECT_TRUE(bar->currentMessage().startsWith(QStringLiteral(u"執筆の記録に書き込めません")))
        << bar->currentMessage().toStdString();
    bar->clearMessage();
    Type("d");
    Save();
    EXPECT_EQ(bar->currentMessage(), QString());
    EXPECT_EQ(Read(path), "abcd");
}

TEST_F(WindowLogTest, TheGoalShowsInTheStatusBarAndItsChartFollowsTheTabInFront)
{
    const std::string path = Write("goal.txt", "");
    Form->OpenFile(path);
    Type("abc");
    Save();
    AnswerModal<TGoalForm>([](TGoalForm* form) {
        Control<QSpinBox>(form, "TargetEdit")->setValue(10);
        Control<QSpinBox>(form, "DailyEdit")->setValue(4);
        form->accept();
    });
    Action("GoalSettingItem")->trigger();
    EXPECT_EQ(GoalPanel(), QStringLiteral(u"目標 10字 · 30% · 今日 3/4字"));
    Type("d");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return GoalPanel().endsWith(QStringLiteral(u"今日 4/4字"));
    })) << GoalPanel().toStdString();
    EXPECT_EQ(Form->statusBar()->currentMessage(),
              QStringLiteral(u"今日の目標の 4字 に達しました"));

    Action("WritingLogItem")->trigger();
    auto* window = Form->findChild<WritingLogWindow*>("WritingLogWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QTableWidget*>("DaysTable")->rowCount(), 1);
    EXPECT_EQ(window->findChild<QLabel*>("PaceLabel")->text(),
              QStringLiteral(u"目標 10字 · あと 6字"));
    const std::string picture = PathOf("chart.png");
    window->SavePng(QString::fromStdString(picture));
    EXPECT_TRUE(QImage(QString::fromStdString(picture)).width() > 0);

    // Another tab in front: its own record, with no goal.
    Form->OpenFile(Write("other.txt", ""));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->findChild<QTableWidget*>("DaysTable")->rowCount() == 0; }));
    EXPECT_EQ(GoalPanel(), QString());
}

TEST(WritingPace, TheRoadToTheDeadline)
{
    struct Row
    {
        const char* fact;
        std::optional<WritingGoal> goal;
        std::int64_t progress;
        QString text;
    };
    const std::vector<Row> rows = {
        {"no goal, nothing to say", std::nullopt, 100, {}},
        {"a target without a deadline", WritingGoal{GoalUnit::Characters, 1000, 0, ""}, 400,
         QStringLiteral(u"目標 1000字 · あと 600字")},
        {"ten days with today, rounded up",
         WritingGoal{GoalUnit::Characters, 1000, 0, "2026-03-10"}, 1,
         QStringLiteral(
             u"目標 1000字 · あと 999字 · 締め切り 2026-03-10 まで 10日 · 1日 100字で達します")},
        {"sheets on the deadline day", WritingGoal{GoalUnit::Sheets, 100, 0, "2026-03-01"}, 97,
         QStringLiteral(
             u"目標 100枚 · あと 3枚 · 締め切り 2026-03-01 まで 1日 · 1日 3枚で達します")},
        {"a deadline passed", WritingGoal{GoalUnit::Characters, 1000, 0, "2026-02-28"}, 1,
         QStringLiteral(u"目標 1000字 · あと 999字 · 締め切り 2026-02-28 を過ぎています")},
        {"a target reached", WritingGoal{GoalUnit::Characters, 1000, 0, "2026-02-28"}, 1200,
         QStringLiteral(u"目標 1000字 · 達成しました")},
    };
    for (const Row& row : rows) {
        WritingRecord record;
        record.today = "2026-03-01";
        record.goal = row.goal;
        record.progress = row.progress;
        EXPECT_EQ(WritingLogWindow::PaceText(record), row.text) << row.fact;
    }
}

} // namespace
