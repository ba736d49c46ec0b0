// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the writer left off, through the real window: a file opened again from the history or the
// command line shows its caret where it was; 前回開いていたファイルを開く brings back the files of
// the last window.

#include "WindowHarness.h"

#include <QDir>
#include <QMenu>
#include <QScopeGuard>
#include <QTextCursor>

#include <filesystem>

namespace {

class WindowLastFilesTest : public WindowTest
{
protected:
    // The window closes as the writer closes it, and a new one starts with `items`.
    void Restart(const std::vector<std::string>& items = {})
    {
        ASSERT_TRUE(Form->close());
        Form = std::make_unique<TForm1>();
        Form->StartUp(items);
        Show();
    }

    void PutCaret(int position)
    {
        QTextCursor caret = Editor()->textCursor();
        caret.setPosition(position);
        Editor()->setTextCursor(caret);
    }

    int Caret() const { return Editor()->textCursor().position(); }

    QStringList TabCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < Tabs()->count(); ++i)
            captions << Tabs()->tabText(i);
        return captions;
    }

    const std::string FNovel = Sjis(u8"一行目の文\r\n二行目はもう少し長い文\r\n三行目\r\n");
};

// Each way of leaving a file keeps its caret, and each way of opening it again finds it; a file
// that has become shorter meanwhile gets its caret at its end.
TEST_F(WindowLastFilesTest, TheCaretComesBackWhereItWas)
{
    enum class Leave
    {
        CloseTab,
        CloseWindow
    };
    enum class Open
    {
        History,
        CommandLine
    };
    for (const Leave leave : {Leave::CloseTab, Leave::CloseWindow}) {
        for (const Open open : {Open::History, Open::CommandLine}) {
            for (const bool shortened : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << static_cast<int>(leave) << static_cast<int>(open) << shortened);
                const std::string path = Write("novel.txt", FNovel);
                Form->OpenFile(path);
                PutCaret(14);
                if (leave == Leave::CloseTab)
                    Action("DeleteTabItem")->trigger();
                if (shortened)
                    Write("novel.txt", Sjis(u8"短い\r\n"));
                Restart(open == Open::CommandLine ? std::vector<std::string>{path}
                                                  : std::vector<std::string>{});
                if (open == Open::History)
                    Form->findChild<QMenu*>("HistoryItem")->actions().constFirst()->trigger();
                ASSERT_EQ(Tabs()->tabText(Tabs()->currentIndex()), QStringLiteral("novel.txt"));
                EXPECT_EQ(Caret(), shortened ? Editor()->document()->characterCount() - 1 : 14);
                Action("AllCloseItem")->trigger();
            }
        }
    }
}

TEST_F(WindowLastFilesTest, TheLastFilesReopenOnlyWhenTheOptionIsOn)
{
    QAction* option = Action("ReopenLastFilesItem");
    ASSERT_NE(option, nullptr);
    EXPECT_FALSE(option->isChecked()) << "off by default";
    const std::string a = Write("a.txt", FNovel);
    const std::string b = Write("b.txt", FNovel);
    Form->OpenFile(a);
    PutCaret(3);
    Form->OpenFile(b);
    PutCaret(20);
    Restart();
    EXPECT_EQ(TabCaptions(), QStringList{QStringLiteral(u"新規")}) << "off: the design's start";

    Form->OpenFile(a);
    Form->OpenFile(b);
    option = Action("ReopenLastFilesItem");
    option->trigger();
    Restart();
    EXPECT_TRUE(Action("ReopenLastFilesItem")->isChecked());
    EXPECT_EQ(TabCaptions(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(Caret(), 20) << "b.txt in front";
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(Caret(), 3);

    QFile::remove(QString::fromStdString(a));
    Restart();
    EXPECT_EQ(TabCaptions(), QStringList{"b.txt"}) << "a file gone is left out";

    const std::string c = Write("c.txt", FNovel);
    Restart({c});
    EXPECT_EQ(TabCaptions(), QStringList{"c.txt"}) << "files named at start: only those";
}

// A file named by a path relative to the folder the window started in is kept by its whole path:
// the last session and the history find it from any other folder.
TEST_F(WindowLastFilesTest, ARelativePathIsKeptWhole)
{
    std::filesystem::create_directory(PathOf("files"));
    const std::string whole = Write("files/a.txt", FNovel);
    const auto back = qScopeGuard([home = QDir::currentPath()] { QDir::setCurrent(home); });
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(PathOf("."))));
    Action("ReopenLastFilesItem")->trigger();
    Form->OpenCommandLineItems({"files/a.txt"});
    ASSERT_TRUE(TabCaptions().contains("a.txt"));

    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(PathOf("files"))));
    Restart();
    EXPECT_EQ(TabCaptions(), QStringList{"a.txt"}) << "the last session";
    Action("AllCloseItem")->trigger();
    QAction* entry = Form->findChild<QMenu*>("HistoryItem")->actions().constFirst();
    EXPECT_TRUE(entry->text().contains(QString::fromStdString(whole)))
        << entry->text().toStdString();
    ModalCatcher<QMessageBox> none([](QMessageBox* box) {
        ADD_FAILURE() << box->text().toStdString();
        box->accept();
    });
    entry->trigger();
    EXPECT_TRUE(TabCaptions().contains("a.txt")) << "the history";
}

// After a crash, a file of the last session that comes back with its unsaved changes is not
// opened a second time from its file.
TEST_F(WindowLastFilesTest, ARecoveredFileIsNotReopenedBesideItself)
{
    Form->OpenFile(Write("a.txt", FNovel));
    Action("ReopenLastFilesItem")->trigger(); // the settings follow a short while later
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return Read(PathOf("Kotonami.ini")).find("Reopen=1") != std::string::npos; },
        20000));
    Type(QStringLiteral("edit"));
    const QDir recovery(QString::fromStdString(PathOf("kotonami/recovery")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recovery.entryList(QDir::Files).isEmpty(); }, 20000));
    Form.reset(); // no close: as a crash leaves it

    AnswerModal<QMessageBox>([](QMessageBox* box) {
        for (QAbstractButton* button : box->buttons())
            if (button->text().startsWith(QStringLiteral(u"復元する")))
                button->click();
    });
    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    EXPECT_EQ(TabCaptions(), QStringList{"a.txt"});
    EXPECT_TRUE(Editor()->GetModified());
    EXPECT_TRUE(Editor()->toPlainText().startsWith(QStringLiteral("edit")));
    ModalCatcher<QMessageBox> decline(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    Form->close();
}

} // namespace
