// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowHarness.h"
#include "app/ChapterPanel.h"
#include "paper/ChapterTable.h"

#include <QDockWidget>
#include <QInputDialog>
#include <QTreeWidget>

#include <random>

namespace {

struct Row
{
    QString title;
    QString characters;
    QString sheets;
    friend bool operator==(const Row&, const Row&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Row& row)
    {
        return out << row.title.toStdString() << " " << row.characters.toStdString() << " "
                   << row.sheets.toStdString();
    }
};

class WindowChaptersTest : public WindowTest
{
protected:
    ChapterPanel* Panel() const { return Form->findChild<ChapterPanel*>("ChapterPanel"); }
    QTreeWidget* Tree() const { return Form->findChild<QTreeWidget*>("ChapterTree"); }

    void ShowPanel()
    {
        Action("ChapterPanelItem")->trigger();
        ASSERT_TRUE(Panel()->isVisible());
    }

    // The tree's chapters in text order.
    std::vector<Row> Shown() const
    {
        std::vector<Row> rows;
        for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
            rows.push_back({(*it)->text(0), (*it)->text(1), (*it)->text(2)});
        return rows;
    }

    // What the table of the companion gives for the editor's text.
    std::vector<Row> Expected() const
    {
        std::vector<Row> rows;
        const ChapterCounting& counting = Panel()->Counting();
        for (const ChapterFigures& c :
             CountChapters(Editor()->GetText(), counting.rules, counting.options, counting.paper))
            rows.push_back({QtShiftJisDecode(c.span.title), QString::number(c.characters),
                            QString::number(c.sheets)});
        return rows;
    }

    static QString QtShiftJisDecode(const std::string& bytes)
    {
        return QString::fromStdString(Cp932::DecodeToUtf8(bytes));
    }

    // Waits for the sheets counted after the pause, then compares with a whole count.
    void ExpectWholeCount()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return Shown() == Expected(); }, 3000));
        EXPECT_EQ(Shown(), Expected());
    }

    QTreeWidgetItem* ItemTitled(const QString& title) const
    {
        const auto found = Tree()->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
};

const char8_t* const Novel = u8"まえがき\r\n"
                             u8"# 第一部　春\r\n"
                             u8"第一章　出会い\r\n"
                             u8"　桜が咲いた。\r\n"
                             u8"［＃「午後」は小見出し］\r\n"
                             u8"　風が吹いた。\r\n"
                             u8"第二章　別れ\r\n"
                             u8"　雨が降った。\r\n"
                             u8"# 第二部　夏\r\n"
                             u8"エピローグ\r\n"
                             u8"　おわり。";

// The panel shows what the companion's table shows, after the text is set, after typing in a
// chapter, after a new heading, and after a random run of edits; each time only a pause after the
// last edit is needed for the sheets.
TEST_F(WindowChaptersTest, FollowsEveryEditAsAWholeCountWould)
{
    ShowPanel();
    Editor()->SetText(Sjis(Novel));
    ExpectWholeCount();
    ASSERT_EQ(Shown().size(), 7u);
    EXPECT_EQ(Tree()->topLevelItemCount(), 3) << "the opening and the two parts";

    // Typing in 第二章 changes its figures and its part's, not the others'.
    const std::vector<Row> before = Shown();
    QTextCursor cursor(Editor()->document()->findBlockByNumber(7));
    cursor.movePosition(QTextCursor::EndOfBlock);
    Editor()->setTextCursor(cursor);
    Type(QStringLiteral(u"雷"));
    const std::vector<Row> typed = Shown();
    EXPECT_EQ(typed[4].characters.toInt(), before[4].characters.toInt() + 1) << "第二章";
    EXPECT_EQ(typed[1].characters.toInt(), before[1].characters.toInt() + 1) << "第一部";
    EXPECT_EQ(typed[2], before[2]) << "第一章";
    EXPECT_EQ(typed[5], before[5]) << "第二部";
    ExpectWholeCount();

    // A new heading makes a new chapter.
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type(QStringLiteral(u"第三章"));
    ExpectWholeCount();
    EXPECT_NE(ItemTitled(QStringLiteral(u"第三章")), nullptr);

    std::mt19937 random(28);
    const QStringList pieces = {QStringLiteral(u"\n第九話　嵐\n"),
                                QStringLiteral(u"# "),
                                QStringLiteral(u"本文"),
                                QStringLiteral(u"\n"),
                                QStringLiteral(u"　"),
                                QStringLiteral(u"《るび》")};
    for (int edit = 0; edit < 40; ++edit) {
        QTextCursor at(Editor()->document());
        const int length = Editor()->document()->characterCount() - 1;
        at.setPosition(static_cast<int>(random() % static_cast<unsigned>(length + 1)));
        if (random() % 3 == 0) {
            at.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                            static_cast<int>(random() % 6));
            at.removeSelectedText();
        } else {
            at.insertText(pieces[static_cast<int>(random() % pieces.size())]);
        }
        // Titles and characters follow at once, without the pause.
        const std::vector<Row> shown = Shown();
        const std::vector<Row> expected = Expected();
        ASSERT_EQ(shown.size(), expected.size()) << "edit " << edit;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].title, expected[i].title) << "edit " << edit;
            EXPECT_EQ(shown[i].characters, expected[i].characters) << "edit " << edit;
        }
    }
    ExpectWholeCount();
}

TEST_F(WindowChaptersTest, FollowsTheTabInFrontAndTheSwitches)
{
    Editor()->SetText(Sjis(Novel));
    ShowPanel();
    ExpectWholeCount();
    Action("New1")->trigger();
    ASSERT_EQ(Tabs()->count(), 2);
    Editor()->SetText(Sjis(u8"プロローグ\r\n朝。\r\n"));
    ExpectWholeCount();
    ASSERT_EQ(Shown().size(), 1u);
    ClickTab(0);
    ExpectWholeCount();
    EXPECT_EQ(Shown().size(), 7u);
    Action("SpaceItem")->trigger();
    Action("DoubleByteSpaceItem")->trigger();
    ASSERT_FALSE(Panel()->Counting().options.countDoubleByteSpace);
    ExpectWholeCount();
    Action("ExcludeRubyItem")->trigger();
    Editor()->SetText(Sjis(u8"第一章\r\n｜漢字《かんじ》［＃傍点］\r\n"));
    ExpectWholeCount();
    EXPECT_EQ(Shown().front().characters, QStringLiteral("5"));
}

// The chapter holding the caret is the current one; a click puts the caret on a heading, and
// Enter also gives the editor the keys.
TEST_F(WindowChaptersTest, CaretAndClicks)
{
    Editor()->SetText(Sjis(Novel));
    ShowPanel();
    QTextCursor cursor(Editor()->document()->findBlockByNumber(5));
    Editor()->setTextCursor(cursor);
    ASSERT_NE(Tree()->currentItem(), nullptr);
    EXPECT_EQ(Tree()->currentItem()->text(0), QStringLiteral(u"午後"));
    cursor.setPosition(Editor()->document()->findBlockByNumber(7).position() + 2);
    Editor()->setTextCursor(cursor);
    EXPECT_EQ(Tree()->currentItem()->text(0), QStringLiteral(u"第二章　別れ"));

    QTreeWidgetItem* part = ItemTitled(QStringLiteral(u"第二部　夏"));
    ASSERT_NE(part, nullptr);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                      Tree()->visualItemRect(part).center());
    EXPECT_EQ(Editor()->textCursor().blockNumber(), 8);
    EXPECT_EQ(Editor()->textCursor().positionInBlock(), 0);
    EXPECT_EQ(Tree()->currentItem(), part);

    Tree()->setFocus();
    Tree()->setCurrentItem(ItemTitled(QStringLiteral(u"（冒頭）")));
    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(Editor()->textCursor().blockNumber(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Editor()->hasFocus(); }));
}

TEST_F(WindowChaptersTest, VisibilityAndWidthAreRemembered)
{
    ShowPanel();
    Form->resizeDocks({Panel()}, {260}, Qt::Horizontal);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Panel()->width() == 260; }));
    const std::string path = WindowSettingsFileName();
    ASSERT_TRUE(Form->close());
    EXPECT_NE(Read(path).find("Visible=1"), std::string::npos) << Read(path);
    EXPECT_NE(Read(path).find("Width=260"), std::string::npos) << Read(path);

    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_TRUE(Action("ChapterPanelItem")->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Panel()->width() == 260; })) << Panel()->width();
    Action("ChapterPanelItem")->trigger();
    ASSERT_TRUE(Form->close());
    EXPECT_NE(Read(path).find("Visible=0"), std::string::npos) << Read(path);
}

TEST_F(WindowChaptersTest, AnInvalidPatternIsIgnoredWithANotice)
{
    const std::string path = WindowSettingsFileName();
    ASSERT_TRUE(Form->close());
    std::ofstream(path, std::ios::binary) << "[Chapters]\r\nPattern=([\r\n";
    QString notice;
    AnswerMessageBox(QMessageBox::Ok, &notice);
    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    EXPECT_FALSE(notice.isEmpty());
    EXPECT_EQ(Panel()->Counting().rules.ExtraPattern(), "([");
    ASSERT_TRUE(Form->close());
    EXPECT_NE(Read(path).find("Pattern=(["), std::string::npos) << "kept as the writer wrote it";
}

} // namespace

namespace {

// A file read into a tab, whichever way it comes, shows its chapters: opened, opened beside
// another, and reopened in another encoding.
TEST_F(WindowChaptersTest, AFileReadInShowsItsChapters)
{
    ShowPanel();
    const std::string utf8(reinterpret_cast<const char*>(Novel));
    Form->OpenFile(Write("novel.txt", utf8));
    ExpectWholeCount();
    EXPECT_EQ(Shown().size(), 7u);
    Form->OpenFile(Write("short.txt", Sjis(u8"プロローグ\r\n朝。\r\n")));
    ExpectWholeCount();
    EXPECT_EQ(Shown().size(), 1u);
    ClickTab(1);
    AnswerModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue(QStringLiteral("EUC-JP"));
        dialog->accept();
    });
    Form->findChild<QAction*>("ReopenWithEncodingItem")->trigger();
    ASSERT_NE(Editor()->GetText(), Sjis(Novel));
    // Read as EUC-JP, the headings are other characters and fewer of them are headings.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown().size() == Expected().size(); }, 3000));
    EXPECT_NE(Shown().size(), 7u);
}

} // namespace
