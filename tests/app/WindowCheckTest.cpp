// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowHarness.h"

#include "analysis/ManuscriptCheck.h"
#include "app/ManuscriptCheckDock.h"
#include "shell/TIniFile.h"

#include <QComboBox>
#include <QTableView>
#include <QTextCursor>
#include <QToolButton>

#include <random>

namespace {

class WindowCheckTest : public WindowTest
{
protected:
    ManuscriptCheckDock* Dock() const { return Form->findChild<ManuscriptCheckDock*>(); }
    QTableView* List() const { return Dock()->findChild<QTableView*>("CheckFindingList"); }
    QComboBox* Filter() const { return Dock()->findChild<QComboBox*>("CheckRuleFilter"); }

    void Open()
    {
        Action("ManuscriptCheckItem")->trigger();
        ASSERT_NE(Dock(), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Dock()->isVisible(); }));
    }

    // The list's rows as "line:column rule-id".
    QStringList Rows() const
    {
        QStringList rows;
        const QAbstractItemModel* model = List()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows << QStringLiteral("%1:%2 %3")
                        .arg(model->index(row, 0).data().toString(),
                             model->index(row, 1).data().toString(),
                             model->index(row, 0).data(Qt::UserRole).toString());
        return rows;
    }

    static QStringList Expected(const std::string& text, const CheckSwitches& switches = {})
    {
        QStringList rows;
        for (const CheckFinding& f : CheckText(text, switches))
            rows << QStringLiteral("%1:%2 %3")
                        .arg(f.line)
                        .arg(f.column)
                        .arg(QString::fromUtf8(RuleInfo(f.rule).id.data(),
                                               static_cast<qsizetype>(RuleInfo(f.rule).id.size())));
        return rows;
    }

    // The caret's place after the writer activates row `row` with `activate`.
    void Activate(int row, const std::function<void(const QRect&)>& activate)
    {
        const QModelIndex index = List()->model()->index(row, 2);
        List()->setCurrentIndex(index);
        activate(List()->visualRect(index));
    }
};

// The writer types a draft, opens the check and sees the findings of every rule at their places
// once typing pauses, with each rule's count; choosing a rule shows its findings alone.
TEST_F(WindowCheckTest, ListsTheFindingsOfTheTextInFrontAfterAPause)
{
    Editor()->SetText(Sjis("　本当？うそ…\r\n「はい。」\r\n"));
    Open();
    const QStringList first = {"1:4 space-after-mark", "1:7 ellipsis-pair",
                               "2:4 period-before-close"};
    EXPECT_EQ(Rows(), first);
    EXPECT_EQ(Filter()->itemText(0), QStringLiteral(u"すべての規則 (3)"));
    const QList<QTextEdit::ExtraSelection> marks = Editor()->extraSelections();
    ASSERT_EQ(marks.size(), 3) << "the findings in view are underlined";
    EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral(u"？"));
    EXPECT_EQ(marks[1].cursor.selectedText(), QStringLiteral(u"…"));
    EXPECT_EQ(marks[2].cursor.selectedText(), QStringLiteral(u"。"));
    EXPECT_EQ(Filter()->itemText(static_cast<int>(CheckRule::EllipsisPair) + 1),
              QStringLiteral(u"三点リーダー (1)"));

    // A new first line moves every finding a line down; the list follows after the pause, the
    // chosen row staying chosen.
    List()->setCurrentIndex(List()->model()->index(1, 0));
    QTextCursor start(Editor()->document());
    start.insertText(QStringLiteral(u"ｱ\n"));
    EXPECT_EQ(Rows(), first) << "the list waits for the pause";
    const QStringList moved = {"1:1 paragraph-indent", "1:1 halfwidth-kana", "2:4 space-after-mark",
                               "2:7 ellipsis-pair", "3:4 period-before-close"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return Rows() == moved; }))
        << Rows().join('\n').toStdString();
    EXPECT_EQ(List()->currentIndex().row(), 1);

    Filter()->setCurrentIndex(static_cast<int>(CheckRule::HalfwidthKana) + 1);
    EXPECT_EQ(Rows(), QStringList{"1:1 halfwidth-kana"});
    Filter()->setCurrentIndex(0);
    EXPECT_EQ(Rows().size(), 5);
    EXPECT_EQ(Editor()->extraSelections().size(), 5);

    Dock()->close();
    EXPECT_TRUE(Editor()->extraSelections().isEmpty()) << "a closed list leaves no marks";
}

// Headings are the chapters panel's: a chapter title or プロローグ needs no indent, prose that
// begins like one does; a block heading closed by a later edit takes its title line out of the
// findings once typing pauses.
TEST_F(WindowCheckTest, HeadingsOfTheChaptersNeedNoIndent)
{
    Editor()->SetText(Sjis("［＃ここから大見出し］\r\n旅立ち\r\n　本文。\r\nプロローグ\r\n"
                           "第一章　出発\r\n第三話、いかがでしたか。"));
    Open();
    const auto indents = [this] { return Rows().filter(QStringLiteral("paragraph-indent")); };
    EXPECT_EQ(indents(), (QStringList{"2:1 paragraph-indent", "6:1 paragraph-indent"}));

    QTextCursor third(Editor()->document()->findBlockByNumber(2));
    third.insertText(QStringLiteral(u"［＃ここで大見出し終わり］\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return indents() == QStringList{"7:1 paragraph-indent"}; }))
        << indents().join('\n').toStdString();
}

// Enter and a double click both put the caret on the finding's character, counted as the check
// counts: every character one, whatever its width in the editor's text.
TEST_F(WindowCheckTest, EnterAndDoubleClickPutTheCaretOnTheFinding)
{
    Editor()->SetText(Sjis("　\tab漢字…です\r\n　二行目はい。」\r\n"));
    Open();
    ASSERT_EQ(Rows(),
              (QStringList{"1:7 ellipsis-pair", "2:7 period-before-close", "2:8 bracket-balance"}));
    Activate(0, [this](const QRect&) { QTest::keyClick(List(), Qt::Key_Return); });
    EXPECT_EQ(Editor()->textCursor().blockNumber(), 0);
    EXPECT_EQ(Editor()->textCursor().positionInBlock(), 6);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Editor()->hasFocus(); }));

    Activate(2, [this](const QRect& cell) {
        // A writer's double click: a click, then the second press that makes it double.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(Editor()->textCursor().blockNumber(), 1);
    EXPECT_EQ(Editor()->textCursor().positionInBlock(), 7);
}

// The list shows the tab in front: a switch shows the other tab's findings at once, and an edit
// in the tab behind it changes nothing in the list.
TEST_F(WindowCheckTest, FollowsTheTabInFront)
{
    Editor()->SetText(Sjis("　一…\r\n"));
    Open();
    Action("New1")->trigger();
    ASSERT_EQ(Tabs()->count(), 2);
    Editor()->SetText(Sjis("二\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return Rows() == QStringList{"1:1 paragraph-indent"}; }));
    ClickTab(0);
    EXPECT_EQ(Rows(), QStringList{"1:3 ellipsis-pair"});
}

// The rules switched off in the list's menu are found no more and stay off in the next window.
TEST_F(WindowCheckTest, RuleSwitchesAreKeptInTheSettingsFile)
{
    Editor()->SetText(Sjis("ｱ\r\n"));
    Open();
    ASSERT_EQ(Rows(), (QStringList{"1:1 paragraph-indent", "1:1 halfwidth-kana"}));
    Dock()->findChild<QAction*>("CheckRule_paragraph-indent")->setChecked(false);
    EXPECT_EQ(Rows(), QStringList{"1:1 halfwidth-kana"});
    EXPECT_EQ(Filter()->itemText(0), QStringLiteral(u"すべての規則 (1)"));

    Form->close();
    TIniFile file(WindowSettingsFileName());
    EXPECT_FALSE(file.ReadBool("Check", "paragraph-indent", true));
    EXPECT_TRUE(file.ReadBool("Check", "halfwidth-kana", false));
    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    Editor()->SetText(Sjis("ｱ\r\n"));
    Open();
    EXPECT_EQ(Rows(), QStringList{"1:1 halfwidth-kana"});
    EXPECT_FALSE(Dock()->findChild<QAction*>("CheckRule_paragraph-indent")->isChecked());
}

// Whatever the writer types, pastes or deletes, the list re-checks only the lines changed and
// still shows what a check of the whole text finds.
TEST_F(WindowCheckTest, EditsKeepTheFindingsOfTheWholeText)
{
    Open();
    std::mt19937 random(28);
    const QStringList pieces =
        QStringLiteral(u"…|―|！|。|」|「|ｶ|あ|　|\n|\n|a").split(QLatin1Char('|'));
    for (int edit = 0; edit < 200; ++edit) {
        QTextCursor cursor(Editor()->document());
        const int size = Editor()->document()->characterCount() - 1;
        cursor.setPosition(std::uniform_int_distribution<int>(0, size)(random));
        cursor.setPosition(
            std::min(size, cursor.position() + std::uniform_int_distribution<int>(0, 3)(random)),
            QTextCursor::KeepAnchor);
        QString text;
        for (int n = std::uniform_int_distribution<int>(0, 4)(random); n > 0; --n)
            text += pieces[std::uniform_int_distribution<int>(0, pieces.size() - 1)(random)];
        cursor.insertText(text);
        if (edit % 20 == 0)
            Editor()->undo();
        Dock()->ShowFindings();
        ASSERT_EQ(Rows(), Expected(Editor()->GetText())) << "after edit " << edit;
    }
}

// Turning a rule off leaves the writer on the finding they stood on, never on another finding
// that took its row; on none when the finding was the rule's.
TEST_F(WindowCheckTest, TurningARuleOffKeepsTheChosenFindingOrNone)
{
    Editor()->SetText(Sjis("　本当？うそ…\r\n「はい。」\r\n"));
    Open();
    ASSERT_EQ(Rows(), QStringList({"1:4 space-after-mark", "1:7 ellipsis-pair",
                                   "2:4 period-before-close"}));
    const auto chosen = [this] {
        const QModelIndex current = List()->currentIndex();
        return current.isValid() ? Rows().value(current.row()) : QString();
    };
    const auto turn = [this](const char* id, bool on) {
        QAction* rule = Dock()->findChild<QAction*>(QStringLiteral("CheckRule_") + id);
        ASSERT_NE(rule, nullptr);
        rule->setChecked(on);
    };
    List()->setCurrentIndex(List()->model()->index(2, 0));
    turn("space-after-mark", false);
    EXPECT_EQ(chosen(), QStringLiteral("2:4 period-before-close")) << "the same finding";
    turn("space-after-mark", true);
    EXPECT_EQ(chosen(), QStringLiteral("2:4 period-before-close")) << "and back at its row";
    turn("period-before-close", false);
    EXPECT_EQ(chosen(), QString()) << "its rule is off: no row, not the one above";
    EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
    turn("period-before-close", true);
}

// However narrow the writer makes the panel, the 規則 button shows whole: the list of rules
// gives up its width first.
TEST_F(WindowCheckTest, TheRulesButtonIsWholeInANarrowPanel)
{
    Open();
    Form->resizeDocks({Dock()}, {60}, Qt::Horizontal);
    QCoreApplication::processEvents();
    const auto* button = Dock()->findChild<QToolButton*>("CheckRulesButton");
    ASSERT_NE(button, nullptr);
    EXPECT_GE(button->width(), button->sizeHint().width());
    EXPECT_LE(button->geometry().right(), button->parentWidget()->contentsRect().right());
    EXPECT_LT(Dock()->width(), 240) << "the panel can be narrow";
}

} // namespace
