// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// New, open, save, save as, close and start-up, through the window's actions and dialogs.

#include "WindowHarness.h"

#include "app/DocumentTabs.h"
#include "app/StartWhenShown.h"
#include "controls/EditorDocument.h"
#include "controls/StatusProgress.h"
#include "controls/TLineInfo.h"
#include "shell/UsefulFunc.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <random>

#include <cstdio>
#include <filesystem>

namespace {

QString Local(const std::string& path)
{
    return QString::fromStdString(path);
}

QString Title(const std::string& path)
{
    return "Kotonami [ " + Local(path) + " ]";
}

TEST_F(WindowTest, OpenShowsTheFileInItsOwnTabWithItsLinesAsTheyAre)
{
    const std::string path = Write("a.txt", "abc"); // no final break
    AnswerFileDialog(Local(path));
    Action("Open1")->trigger();
    ASSERT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Tabs()->tabText(1), "a.txt");
    EXPECT_EQ(Form->windowTitle(), Title(path));
    EXPECT_EQ(Editor()->GetText(), "abc"); // no empty line after the last
    EXPECT_EQ(Form->StatusText(3), "");
    EXPECT_EQ(Field("TextSize"), "3 (bytes)"); // the file's size: it keeps having no final break
}

TEST_F(WindowTest, SwitchingTabsCarriesTextAndModifiedState)
{
    const std::string a = Write("a.txt", Sjis("あいう\r\n"));
    const std::string b = Write("b.txt", "line one\nline two\n");
    Form->OpenFile(a);
    Form->OpenFile(b);
    ASSERT_EQ(Tabs()->count(), 3);
    EXPECT_EQ(Editor()->GetText(), "line one\r\nline two\r\n");

    ClickTab(1);
    EXPECT_EQ(Editor()->GetText(), Sjis("あいう\r\n"));
    EXPECT_EQ(Form->windowTitle(), Title(a));
    Type("x");
    EXPECT_EQ(Form->StatusText(3), u"変更");

    ClickTab(2);
    EXPECT_EQ(Form->StatusText(3), "");
    ClickTab(1);
    EXPECT_EQ(Form->StatusText(3), u"変更");
    EXPECT_EQ(Editor()->GetText(), Sjis("xあいう\r\n"));

    QTest::keyClick(Editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Read(a), Sjis("xあいう\r\n"));
    EXPECT_EQ(Form->StatusText(3), "");
}

// Each tab holds its own text: what was typed, where the caret and the selection were and how far
// the text was scrolled all come back with the tab, and undo still takes back what was typed.
TEST_F(WindowTest, EachTabKeepsItsUndoCaretSelectionAndScroll)
{
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    const std::string a = Write("a.txt", lines);
    Form->OpenFile(a);
    Form->OpenFile(Write("b.txt", "other\r\n"));
    ClickTab(1);
    Editor()->moveCursor(QTextCursor::End);
    Type("typed");
    Editor()->moveCursor(QTextCursor::Up);
    Editor()->moveCursor(QTextCursor::Up, QTextCursor::KeepAnchor);
    const QTextCursor before = Editor()->textCursor();
    const int scrolled = Editor()->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    const QString figures = Field("CharNumber");

    ClickTab(2);
    Type("b");
    EXPECT_EQ(Editor()->GetText(), "bother\r\n");
    ClickTab(1);
    EXPECT_EQ(Editor()->textCursor().anchor(), before.anchor());
    EXPECT_EQ(Editor()->textCursor().position(), before.position());
    EXPECT_EQ(Editor()->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(Field("CharNumber"), figures); // the selection's figures
    EXPECT_EQ(Form->StatusText(3), u"変更");

    Editor()->moveCursor(QTextCursor::End);
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->GetText(), lines);
    EXPECT_EQ(Form->StatusText(3), "");
    ClickTab(2);
    EXPECT_EQ(Editor()->GetText(), "bother\r\n");
}

// Each tab has its own editor: what the writer changed while another tab was in front (the
// window's size, the font, wrapping, the gutter's columns) holds for a tab when it comes forward.
TEST_F(WindowTest, ATabComesForwardWithTheSettingsChangedBehindIt)
{
    Form->OpenFile(Write("a.txt", "first\r\n"));
    Form->OpenFile(Write("b.txt", "second\r\n"));
    ClickTab(1);
    TRichEditEx* first = Editor();
    Form->resize(Form->width() + 120, Form->height() + 40);
    QFont font = first->font();
    font.setPointSize(font.pointSize() + 3);
    first->setFont(font);
    for (const char* name : {"WordWrapItem", "ShowLineNumItem", "LineInfoItem"})
        Action(name)->trigger();
    QApplication::processEvents();

    ClickTab(2);
    TRichEditEx* second = Editor();
    ASSERT_NE(second, first);
    QApplication::processEvents();
    EXPECT_EQ(second->size(), first->size());
    EXPECT_EQ(second->font(), font);
    EXPECT_EQ(second->document()->defaultFont(), font);
    EXPECT_EQ(second->lineWrapMode(), first->lineWrapMode());
    EXPECT_EQ(second->LineInfo()->ShowLineNum(), first->LineInfo()->ShowLineNum());
    EXPECT_EQ(second->LineInfo()->ShowAddStr(), first->LineInfo()->ShowAddStr());
    EXPECT_EQ(second->LineInfo()->width(), first->LineInfo()->width());
    EXPECT_EQ(Field("CharNumber"), "6"); // the figures are the front tab's
    Type("x");
    EXPECT_EQ(second->GetText(), "xsecond\r\n");
    EXPECT_EQ(first->GetText(), "first\r\n");
}

// Cut and copy follow the selection in front, whatever happens to the text of a tab behind it.
TEST_F(WindowTest, CutAndCopyFollowTheTabInFront)
{
    Form->OpenFile(Write("a.txt", "first\r\n"));
    Form->OpenFile(Write("b.txt", "second\r\n"));
    ClickTab(1);
    TRichEditEx* behind = Editor();
    behind->selectAll();
    ClickTab(2);
    EXPECT_FALSE(Action("Cut1")->isEnabled());
    Editor()->selectAll();
    ASSERT_TRUE(Action("Copy1")->isEnabled());
    QTextCursor(behind->document()).insertText("x"); // the selection behind stays
    behind->textCursor().removeSelectedText();       // and now it is gone
    EXPECT_TRUE(Action("Cut1")->isEnabled());
    EXPECT_TRUE(Action("Copy1")->isEnabled());
}

// A file of every byte pair (some characters have two) and of bytes with no character is saved
// unchanged byte for byte; an edit changes the edited line only.
TEST_F(WindowTest, SavingKeepsTheBytesOfEveryUnchangedLine)
{
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            bytes += {static_cast<char>(lead), static_cast<char>(trail)};
        bytes += "\r\n";
    }
    bytes += "\x80\xA0\xFD\xFE\xFF\r\n";
    const std::string path = Write("pairs.txt", bytes);
    Form->OpenFile(path);
    Action("Save1")->trigger();
    EXPECT_EQ(Read(path), bytes);

    Editor()->moveCursor(QTextCursor::Down);
    Type("x");
    Action("Save1")->trigger();
    const std::string saved = Read(path);
    ASSERT_EQ(saved.size(), bytes.size() + 1);
    const std::size_t second = bytes.find("\r\n") + 2;
    const std::size_t third = bytes.find("\r\n", second) + 2;
    EXPECT_EQ(saved.substr(0, second), bytes.substr(0, second));
    EXPECT_EQ(saved[second], 'x');
    EXPECT_EQ(saved.substr(third + 1), bytes.substr(third));
}

TEST_F(WindowTest, NewAddsAnEmptyTabAndCtrlNCountsAllDocuments)
{
    Type("abc");
    Action("New1")->trigger();
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->tabText(1), u"新規");
    EXPECT_EQ(Editor()->GetText(), "");
    EXPECT_EQ(Form->windowTitle(), "Kotonami [  ]");
    Type("de");

    QString report;
    AnswerModal<QDialog>([&report](QDialog* dialog) {
        report = dialog->findChild<QLabel*>("Label1")->text();
        dialog->accept();
    });
    QTest::keyClick(Editor(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(report.isEmpty());
    EXPECT_TRUE(report.contains('5')) << report.toStdString(); // 3 + 2 characters
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Editor()->GetText(), "de");
}

TEST_F(WindowTest, SaveAsAsksForANameAndRenamesTheTab)
{
    Type("hello");
    const std::string path = PathOf("saved.txt");
    AnswerFileDialog(Local(path));
    Action("SaveAs1")->trigger();
    EXPECT_EQ(Read(path), "hello");
    EXPECT_EQ(Tabs()->tabText(0), "saved.txt");
    EXPECT_EQ(Form->windowTitle(), Title(path));
    EXPECT_EQ(Form->StatusText(3), "");
}

TEST_F(WindowTest, SaveOnANewDocumentCancelledSavesNothing)
{
    Type("hello");
    AnswerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    Action("Save1")->trigger();
    EXPECT_EQ(Form->StatusText(3), u"変更");
    EXPECT_EQ(Tabs()->tabText(0), u"新規");
}

TEST_F(WindowTest, ClosingAModifiedTabAsksFirst)
{
    const struct
    {
        QMessageBox::StandardButton answer;
        int tabsAfter;
        const char* fileAfter;
    } rows[] = {
        {QMessageBox::Yes, 1, "oldnew"}, // saved, then closed
        {QMessageBox::No, 1, "old"},     // closed without saving
        {QMessageBox::Cancel, 2, "old"}, // nothing happens
    };
    for (const auto& row : rows) {
        SetUp();
        const std::string path = Write("c.txt", "old");
        Form->OpenFile(path);
        Editor()->moveCursor(QTextCursor::End);
        Type("new");
        QString question;
        AnswerMessageBox(row.answer, &question);
        Action("DeleteTabItem")->trigger();
        EXPECT_EQ(question, u"「c.txt」のテキストは変更されています。\n保存しますか？");
        EXPECT_EQ(Tabs()->count(), row.tabsAfter) << row.answer;
        EXPECT_EQ(Read(path), row.fileAfter) << row.answer;
    }
}

// A tab closed by its × whose save fails (its folder is gone) tells why and stays open.
TEST_F(WindowTest, AFailedSaveFromTheTabsCloseButtonKeepsTheTab)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(PathOf("gone"))));
    Form->OpenFile(Write("gone/c.txt", "old\r\n"));
    Form->OpenFile(Write("d.txt", "other\r\n"));
    const int tab = Tabs()->count() - 2;
    ClickTab(tab);
    Type("new");
    ASSERT_TRUE(QDir(QString::fromStdString(PathOf("gone"))).removeRecursively());
    QStringList shown;
    const ModalCatcher<QMessageBox> answers([&shown](QMessageBox* box) {
        shown << box->text();
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
    });
    const int tabs = Tabs()->count();
    auto* close = qobject_cast<QAbstractButton*>(Tabs()->tabButton(tab, QTabBar::RightSide));
    ASSERT_NE(close, nullptr);
    close->click();
    ASSERT_EQ(shown.size(), 2) << "the save question, then the error ";
    EXPECT_TRUE(shown[1].contains(QStringLiteral("c.txt"))) << shown[1].toStdString();
    ASSERT_EQ(Tabs()->count(), tabs) << "the tab whose text was not saved stays";
    EXPECT_TRUE(Editor()->toPlainText().contains(QStringLiteral("new")));
}

TEST_F(WindowTest, ClosingTheSelectedTabShowsItsRightNeighbour)
{
    Form->OpenFile(Write("a.txt", "A"));
    Form->OpenFile(Write("b.txt", "B"));
    Form->OpenFile(Write("c.txt", "C"));
    ClickTab(2);
    Action("DeleteTabItem")->trigger();
    EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), "c.txt");
    EXPECT_EQ(Editor()->GetText(), "C");
    Action("DeleteTabItem")->trigger(); // the last tab: its left neighbour
    EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), "a.txt");
}

TEST_F(WindowTest, CloseAllLeavesOneNewTab)
{
    Form->OpenFile(Write("a.txt", "A"));
    Form->OpenFile(Write("b.txt", "B"));
    Action("AllCloseItem")->trigger();
    ASSERT_EQ(Tabs()->count(), 1);
    EXPECT_EQ(Tabs()->tabText(0), u"新規");
    EXPECT_EQ(Editor()->GetText(), "");
    EXPECT_EQ(Form->windowTitle(), "Kotonami [  ]");
    EXPECT_EQ(Form->Documents().Count(), 1);
}

TEST_F(WindowTest, CloseAllStopsAtACancel)
{
    Form->OpenFile(Write("a.txt", "A"));
    Type("x");
    Form->OpenFile(Write("b.txt", "B"));
    AnswerMessageBox(QMessageBox::Cancel);
    Action("AllCloseItem")->trigger();
    ASSERT_EQ(Tabs()->count(), 2); // "新規" closed, a.txt and b.txt kept
    EXPECT_EQ(Tabs()->tabText(0), "a.txt");
}

TEST_F(WindowTest, StartUpOpensTheNamedFilesAndNamesMissingOnes)
{
    const std::string a = Write("a.txt", "A");
    const std::string b = Write("b.txt", "B");
    Form = std::make_unique<TForm1>();
    ModalCatcher<QMessageBox> missing([](QMessageBox* box) { box->accept(); });
    Form->StartUp({a, PathOf("missing.txt"), b});
    Show();
    ASSERT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->tabText(0), "a.txt");
    EXPECT_EQ(Tabs()->tabText(1), "b.txt");
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Editor()->GetText(), "B");
    EXPECT_EQ(Field("TextSize"), "1 (bytes)");

    Form = std::make_unique<TForm1>();
    Form->StartUp({a, PathOf("missing.txt")});
    EXPECT_EQ(Tabs()->count(), 1);
    EXPECT_EQ(Tabs()->tabText(0), "a.txt");
    EXPECT_EQ(missing.Count(), 2); // one message for each start
}

// The files named at start open once the window is on the screen.
TEST_F(WindowTest, TheStartWaitsForTheWindowOnTheScreen)
{
    Form = std::make_unique<TForm1>();
    Form->show();
    int starts = 0;
    bool shownAtStart = false;
    StartWhenShown(*Form, [&] {
        shownAtStart = Form->windowHandle()->isExposed();
        ++starts;
    });
    EXPECT_EQ(starts, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return starts > 0; }, 3000));
    QTest::qWait(20);
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(shownAtStart);
}

// A file of several pieces goes in with the status bar's progress drawn between them; then the
// window shows all of it, with its bytes and figures, unmodified and with nothing to undo.
TEST_F(WindowTest, ALongFileOpensWithItsProgressDrawn)
{
    std::string bytes;
    while (bytes.size() < 3 * EditorDocument::LoadPieceBytes)
        bytes += Sjis("吾輩は猫である。名前はまだ無い。\r\n") + "\x87\x90 well-\r\n";
    Type("abc");            // the tab in front has figures of its own
    QStringList drawnUnder; // what the status bar said at each drawing of the progress
    QStringList panelUnder; // and what the panel's character count said then
    QObject::connect(Form->findChild<StatusProgress*>("StatusPanel0"), &StatusProgress::DrawPanel,
                     Form.get(), [&] {
                         drawnUnder << Form->StatusText(1);
                         panelUnder << Field("CharNumber");
                     });
    Form->OpenFile(Write("long.txt", bytes));
    // While the text goes in, the panel shows no figures: neither the other tab's nor a part's.
    EXPECT_EQ(panelUnder.count(QString()), panelUnder.size()) << panelUnder.join(' ').toStdString();
    // The text area keeps its width once the window has drawn it: a new one would lay out every
    // line again.
    const int width = Editor()->viewport()->width();
    QTest::qWait(50);
    EXPECT_EQ(Editor()->viewport()->width(), width);
    EXPECT_GE(drawnUnder.count(QStringLiteral(u"読み込み中")), 3);
    EXPECT_NE(Form->StatusText(1), QStringLiteral(u"読み込み中"));
    EXPECT_TRUE(Editor()->updatesEnabled());
    EXPECT_EQ(Editor()->GetText(), bytes);
    EXPECT_FALSE(Editor()->GetModified());
    EXPECT_FALSE(Editor()->document()->isUndoAvailable());
    EXPECT_EQ(Field("TextSize"), QStringLiteral("%1 (bytes)").arg(bytes.size()));
    EXPECT_EQ(Field("LineNumber"), QString::number(std::count(bytes.begin(), bytes.end(), '\n')));
}

TEST_F(WindowTest, DroppedFilesOpenInOrder)
{
    const std::string a = Write("a.txt", "A");
    const std::string b = Write("b.txt", "B");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Local(a)), QUrl::fromLocalFile(Local(b))});
    // The drop goes where the drag entered, as on the desktop.
    TRichEditEx* target = Editor();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &drop);
    ASSERT_EQ(Tabs()->count(), 3);
    EXPECT_EQ(Tabs()->tabText(1), "a.txt");
    EXPECT_EQ(Tabs()->tabText(2), "b.txt");
    EXPECT_EQ(target->GetDropFileCount(), 2u);
    EXPECT_EQ(target->GetDropFileName(2), nullptr);
}

TEST_F(WindowTest, SavingCharactersWithoutShiftJisFormAsksFirst)
{
    const std::string path = Write("e.txt", "");
    Form->OpenFile(path);
    Type(u"café"_qs);

    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    Action("Save1")->trigger();
    EXPECT_TRUE(question.startsWith(u"「e.txt」には Shift-JIS で保存できない文字があります。"));
    EXPECT_EQ(Read(path), "");
    EXPECT_EQ(Form->StatusText(3), u"変更");

    AnswerMessageBox(QMessageBox::Yes);
    Action("Save1")->trigger();
    EXPECT_EQ(Read(path), "caf?");
    EXPECT_EQ(Form->StatusText(3), "");
}

TEST_F(WindowTest, ChangingTabsKeepsCharactersWithoutShiftJisForm)
{
    Type(u"café"_qs);
    Action("New1")->trigger();
    ClickTab(0);
    EXPECT_EQ(Editor()->toPlainText(), u"café");
}

// A tab with unsaved edits whose file's folder has gone: every save of it fails.
class FailedWriteTest : public WindowTest
{
protected:
    std::string EditAFileWhoseFolderGoes()
    {
        const std::filesystem::path folder = PathOf("gone");
        std::filesystem::create_directory(folder);
        const std::string path = (folder / "f.txt").string();
        Write("gone/f.txt", "old");
        Form->OpenFile(path);
        Type("x");
        std::filesystem::remove_all(folder);
        return path;
    }
};

TEST_F(FailedWriteTest, AFailedSaveIsShownAndLeavesTheTextModified)
{
    const std::string path = EditAFileWhoseFolderGoes();

    QString error;
    AnswerMessageBox(QMessageBox::Ok, &error);
    QTest::keyClick(Editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(error, QString::fromStdString("ﾌｧｲﾙ " + path +
                                            " を作成できません（フォルダがありません）."));
    EXPECT_EQ(Form->StatusText(3), u"変更");
}

// Every command that writes meets a failed write at its own boundary, for the tab in front and
// for one behind it alike: the same error box names the file and why, and nothing is thrown out
// of the action into whoever triggered it.
TEST_F(FailedWriteTest, AFailedWriteIsShownAlikeByEachCommandForEveryTab)
{
    struct Row
    {
        const char* name;
        bool behind; // another tab is in front of the one whose save fails
        std::function<void()> command;
    };
    const auto action = [this](const char* name) {
        return [this, name] { Action(name)->trigger(); };
    };
    const Row rows[] = {
        {"Save1 in front", false, action("Save1")},
        {"DeleteTabItem in front", false, action("DeleteTabItem")},
        {"AllSave behind", true, action("AllSave")},
        {"AllCloseItem behind", true, action("AllCloseItem")},
        {"the tab's close button behind", true,
         [this] {
             QTabBar* tabs = Tabs();
             for (int i = 0; i < tabs->count(); ++i)
                 if (tabs->tabText(i) == u"f.txt")
                     qobject_cast<QAbstractButton*>(tabs->tabButton(i, QTabBar::RightSide))
                         ->click();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = EditAFileWhoseFolderGoes();
        if (row.behind)
            Form->OpenFile(Write("other.txt", "other"));

        QStringList errors;
        {
            // The save question (when one is asked) is answered Yes, the error box Ok.
            const ModalCatcher<QMessageBox> answers([&errors](QMessageBox* box) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                    yes->click();
                    return;
                }
                errors << box->text();
                box->button(QMessageBox::Ok)->click();
            });
            // Save All asks a name for the empty tab that closing every tab leaves: none given.
            const ModalCatcher<QFileDialog> noName([](QFileDialog* dialog) { dialog->reject(); });
            EXPECT_NO_THROW(row.command());
        }
        EXPECT_EQ(errors, QStringList{QString::fromStdString(
                              "ﾌｧｲﾙ " + path + " を作成できません（フォルダがありません）.")});
        const ModalCatcher<QMessageBox> discard(
            [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        Action("AllCloseItem")->trigger();
    }
}

} // namespace

namespace {

// A file that opens but cannot be read (reading it fails at once) leaves the window as it was.
TEST_F(WindowTest, AFileThatCannotBeReadLeavesTheShownDocumentAsItWas)
{
    const std::string path = Write("a.txt", "A");
    Form->OpenFile(path);
    const std::string unreadable = "/proc/self/mem";
    if (!UsefulFunc::IsFileReadable(unreadable))
        GTEST_SKIP() << "no file here that opens but cannot be read";
    EXPECT_ANY_THROW(Form->OpenFile(unreadable));
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Editor()->GetText(), "A");
    EXPECT_EQ(Form->windowTitle(), Title(path));
}

} // namespace

namespace {

// Whatever the writer does with the tabs, one tab is in front and everything agrees on which: the
// strip's selection, the document, the editor, the caption; and the window says so each time
// another editor comes to the front, and only then.
TEST_F(WindowTest, EverythingFollowsTheOneTabInFront)
{
    const std::vector<std::string> files = {Write("a.txt", "a\n"), Write("b.txt", "bb\n"),
                                            Write("c.txt", "ccc\n")};
    TRichEditEx* announced = Editor();
    int announcements = 0;
    QObject::connect(Form.get(), &TForm1::FrontEditorChanged, Form.get(), [&](TRichEditEx* editor) {
        announced = editor;
        ++announcements;
    });
    std::mt19937 random(20261208);
    for (int step = 0; step < 120; ++step) {
        const TRichEditEx* before = Editor();
        const int before_announcements = announcements;
        switch (std::uniform_int_distribution<int>(0, 4)(random)) {
        case 0:
            Action("New1")->trigger();
            break;
        case 1:
            Form->OpenFile(files[std::uniform_int_distribution<std::size_t>(0, 2)(random)]);
            break;
        case 2:
            ClickTab(std::uniform_int_distribution<int>(0, Tabs()->count() - 1)(random));
            break;
        case 3:
            Action("DeleteTabItem")->trigger(); // no tab is modified: nothing is asked
            break;
        default:
            Type("x");
            Editor()->SetModified(false);
            break;
        }
        SCOPED_TRACE("step " + std::to_string(step));
        const int front = Form->Documents().FrontIndex();
        ASSERT_EQ(Tabs()->count(), Form->Documents().Count());
        ASSERT_GE(front, 0);
        EXPECT_EQ(front, Tabs()->currentIndex());
        EXPECT_EQ(Form->Documents().EditorOf(front), Editor());
        EXPECT_EQ(announced, Editor());
        if (Editor() == before)
            EXPECT_LE(announcements - before_announcements, 1); // a tab read in anew
        else
            EXPECT_GE(announcements - before_announcements, 1);
        EXPECT_EQ(Form->windowTitle(),
                  TForm1::MakeTitle(Form->Documents().FrontDocument()->FileName));
    }
}

} // namespace
