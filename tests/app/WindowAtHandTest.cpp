// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a writer notices around the text: the preview and the log open whole on the screen and
// close with Escape or their button, the saved chart is the chart alone, the Open dialog starts
// where the text in front is, an empty file is no edit, and a notice is no error.

#include "WindowHarness.h"

#include "app/WritingLogWindow.h"
#include "preview/ManuscriptPreview.h"

#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace {

using WindowAtHandTest = WindowTest;

TEST_F(WindowAtHandTest, ThePreviewAndTheLogOpenOnTheScreenAndCloseByKeyOrButton)
{
    Form->OpenFile(Write("a.txt", Sjis("　雨だね。\r\n")));
    const QRect room = Form->screen()->availableGeometry();
    struct Row
    {
        const char* action;
        const char* window;
        std::function<void(QWidget*)> close;
    };
    const std::vector<Row> rows = {
        {"ManuscriptPreviewItem", "ManuscriptPreview",
         [](QWidget* window) { window->findChild<QAction*>("CloseItem")->trigger(); }},
        {"WritingLogItem", "WritingLogWindow",
         [](QWidget* window) { window->findChild<QPushButton*>("CloseButton")->click(); }},
    };
    for (const Row& row : rows) {
        // The main window low on the screen: a window opened over it would reach below.
        Form->resize(500, 400);
        Form->move(room.right() - 520, room.bottom() - 420);
        Action(row.action)->trigger();
        auto* window = Form->findChild<QWidget*>(row.window);
        ASSERT_NE(window, nullptr) << row.window;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_TRUE(room.contains(window->frameGeometry()))
            << row.window << " at " << window->frameGeometry().y() << " of " << room.bottom();
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << row.window << ": Escape";
        Action(row.action)->trigger();
        ASSERT_TRUE(window->isVisible());
        row.close(window);
        EXPECT_FALSE(window->isVisible()) << row.window << ": its button";
    }
}

TEST_F(WindowAtHandTest, TheSavedChartIsTheChartWithoutTheButtons)
{
    Form->OpenFile(Write("a.txt", "text"));
    Action("WritingLogItem")->trigger();
    auto* window = Form->findChild<WritingLogWindow*>("WritingLogWindow");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const std::string picture = PathOf("chart.png");
    window->SavePng(QString::fromStdString(picture));
    const QImage saved(QString::fromStdString(picture));
    ASSERT_FALSE(saved.isNull());
    const auto* button = window->findChild<QPushButton*>("SavePngButton");
    EXPECT_LE(saved.height(), button->mapTo(window, QPoint(0, 0)).y())
        << "the picture ends above the buttons";
    EXPECT_GT(saved.height(), window->height() / 3);
}

TEST_F(WindowAtHandTest, TheOpenDialogStartsInTheFolderOfTheTextInFront)
{
    ASSERT_TRUE(QDir(QString::fromStdString(PathOf(""))).mkdir(QStringLiteral("drafts")));
    Form->OpenFile(Write("drafts/a.txt", "text"));
    QString folder;
    AnswerModal<QFileDialog>([&folder](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    Action("Open1")->trigger();
    EXPECT_EQ(folder, QString::fromStdString(PathOf("drafts")));
}

TEST_F(WindowAtHandTest, AnEmptyFileOpensUnmodified)
{
    Form->OpenFile(Write("empty.txt", ""));
    EXPECT_FALSE(Editor()->GetModified());
    EXPECT_TRUE(Tabs()->tabIcon(Tabs()->currentIndex()).isNull()) << "no modified dot";
    EXPECT_EQ(Form->StatusText(3), QString());
}

TEST_F(WindowAtHandTest, AGoalForAnUntitledTextIsANoticeNotAnError)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        icon = box->icon();
        text = box->text();
        box->accept();
    });
    Action("GoalSettingItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !text.isEmpty(); }));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_TRUE(text.startsWith(QStringLiteral(u"目標は保存した文書に設定できます")))
        << text.toStdString();
}

// A side panel narrows the information panel: its figures go into more rows rather than under
// a scroll bar, and go back side by side when the side panel closes.
TEST_F(WindowAtHandTest, TheInformationPanelShowsEveryFigureBesideTheChapters)
{
    auto* panel = Form->findChild<QScrollArea*>("ScrollBox1");
    ASSERT_NE(panel, nullptr);
    const auto everyFigureShows = [&] {
        for (const char* name : {"CharNumber", "CharNumberPerLine", "LineNumber", "WordNumber",
                                 "WordNumberPerLine", "TextSize"}) {
            const auto* field = Form->findChild<QLineEdit*>(name);
            const QRect place(field->mapTo(panel->viewport(), QPoint(0, 0)), field->size());
            if (!panel->viewport()->rect().contains(place))
                return false;
        }
        return !panel->horizontalScrollBar()->isVisible();
    };
    const int height = panel->height();
    EXPECT_TRUE(everyFigureShows()) << "at the default size";
    EXPECT_EQ(Form->findChild<QLineEdit*>("LineNumber")->y(),
              Form->findChild<QLineEdit*>("CharNumber")->y())
        << "three to a row at the default size";
    Action("ChapterPanelItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor(everyFigureShows)) << "beside the chapters";
    EXPECT_GT(panel->height(), height) << "in more rows";
    Action("ChapterPanelItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->height() == height; }));
    EXPECT_TRUE(everyFigureShows());
}

} // namespace
