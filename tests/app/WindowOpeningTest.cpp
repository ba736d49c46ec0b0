// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file that is already open, under any name, and opening a file that is gone.

#include "PlainUserRights.h"
#include "WindowHarness.h"

#include <QMenu>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class WindowOpeningTest : public WindowTest
{
protected:
    QMenu* History() const { return Form->findChild<QMenu*>("HistoryItem"); }
    QAction* HistoryEntry(const std::string& path) const
    {
        for (QAction* entry : History()->actions())
            if (entry->text().contains(QString::fromStdString(path)))
                return entry;
        return nullptr;
    }
};

// Whichever way the file comes again, its tab (with its unsaved edit) comes to the front and no
// second tab reads it from the disk.
TEST_F(WindowOpeningTest, AFileAlreadyOpenBringsItsTabToTheFront)
{
    const std::string a = Write("a.txt", "first\r\n");
    const std::string b = Write("b.txt", "second\r\n");
    std::filesystem::create_directory(PathOf("sub"));
    std::filesystem::create_symlink(a, PathOf("link.txt"));
    std::filesystem::create_hard_link(a, PathOf("hard.txt"));
    const struct
    {
        const char* name;
        std::function<void()> open;
    } rows[] = {
        {"the same path", [&] { Form->OpenFile(a); }},
        {"another spelling", [&] { Form->OpenFile(PathOf("sub") + "/../a.txt"); }},
        {"a symbolic link", [&] { Form->OpenFile(PathOf("link.txt")); }},
        {"a hard link", [&] { Form->OpenFile(PathOf("hard.txt")); }},
        {"the open dialog",
         [&] {
             AnswerFileDialog(QString::fromStdString(a));
             Action("Open1")->trigger();
         }},
        {"the history", [&] { HistoryEntry(a)->trigger(); }},
        {"the command line", [&] { Form->OpenCommandLineItems({a}); }},
    };
    Form->OpenFile(a);
    QTest::keyClick(Editor(), Qt::Key_End);
    Type(u"!"_qs);
    Form->OpenFile(b);
    for (const auto& row : rows) {
        ClickTab(2);
        ASSERT_EQ(Tabs()->currentIndex(), 2) << row.name;
        row.open();
        EXPECT_EQ(Tabs()->count(), 3) << row.name;
        EXPECT_EQ(Tabs()->currentIndex(), 1) << row.name;
        EXPECT_TRUE(Editor()->toPlainText().startsWith(u"first!"_qs)) << row.name;
    }
}

TEST_F(WindowOpeningTest, AFileThatIsGoneIsNamed)
{
    const std::string gone = Write("gone.txt", "text\r\n");
    const std::string kept = Write("kept.txt", "text\r\n");
    Form->OpenFile(gone);
    Form->OpenFile(kept);
    Action("AllCloseItem")->trigger();
    ::unlink(gone.c_str());
    ::unlink(kept.c_str());
    // From the history: the writer is told, and asked whether the entry goes.
    const struct
    {
        std::string path;
        QMessageBox::StandardButton answer;
        bool entryStays;
    } rows[] = {{kept, QMessageBox::No, true}, {gone, QMessageBox::Yes, false}};
    for (const auto& row : rows) {
        QString text;
        AnswerMessageBox(row.answer, &text);
        HistoryEntry(row.path)->trigger();
        EXPECT_TRUE(text.contains(QString::fromStdString(row.path))) << row.path;
        EXPECT_EQ(Tabs()->count(), 1) << row.path;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        EXPECT_EQ(HistoryEntry(row.path) != nullptr, row.entryStays) << row.path;
    }
    // Named at start: one message for all of them.
    const std::string here = Write("here.txt", "text\r\n");
    QString text;
    ModalCatcher<QMessageBox> boxes([&text](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
    Form->OpenCommandLineItems({gone, here, kept});
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(text.contains(QString::fromStdString(gone)));
    EXPECT_TRUE(text.contains(QString::fromStdString(kept)));
    EXPECT_FALSE(text.contains(QString::fromStdString(here)));
}

// A file the writer may not read is named with the reason, whichever way it is opened, and no tab
// opens for it.
TEST_F(WindowOpeningTest, AnUnreadableFileIsNamedWithTheReason)
{
    const std::string locked = Write("locked.txt", "text\r\n");
    Form->OpenFile(locked);
    Action("AllCloseItem")->trigger();
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const PlainUserRights plain;
    const struct
    {
        const char* name;
        std::function<void()> open;
    } rows[] = {
        {"the open dialog",
         [&] {
             AnswerFileDialog(QString::fromStdString(locked));
             Action("Open1")->trigger();
         }},
        {"the command line", [&] { Form->OpenCommandLineItems({locked}); }},
        {"the history", [&] { HistoryEntry(locked)->trigger(); }},
    };
    for (const auto& row : rows) {
        QStringList shown;
        {
            ModalCatcher<QMessageBox> boxes([&shown](QMessageBox* box) {
                shown << box->text();
                box->accept();
            });
            row.open();
        }
        ASSERT_EQ(shown.size(), 1) << row.name;
        EXPECT_TRUE(shown[0].contains(QString::fromStdString(locked))) << row.name;
        EXPECT_TRUE(shown[0].contains(u"読み取りの権限がない"_qs)) << shown[0].toStdString();
        EXPECT_EQ(Tabs()->count(), 1) << row.name;
    }
}

} // namespace
