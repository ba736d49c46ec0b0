// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving where the folder takes no new file, and reading a tab's file again when that fails: the
// writer's text, file and undo stay whatever the disk does.

#include "WindowHarness.h"

#include "app/ChangedOnDiskBar.h"
#include "shell/Exceptions.h"

#include "PlainUserRights.h"

#include <QInputDialog>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

class WindowSavingTest : public WindowTest
{
protected:
    ChangedOnDiskBar* Bar() const { return Form->findChild<ChangedOnDiskBar*>(); }
    bool Shows(const char* text) const
    {
        return Editor()->toPlainText().contains(QString::fromUtf8(text));
    }

    static struct stat StatOf(const std::string& path)
    {
        struct stat info
        {
        };
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info;
    }
};

// A file the writer may write, in a folder where the writer may make no file: Ctrl+S writes the
// file itself, which keeps its identity and permissions, and no copy of the old text stays behind.
TEST_F(WindowSavingTest, AFileInAReadOnlyFolderIsSavedInPlace)
{
    ASSERT_TRUE(std::filesystem::create_directory(PathOf("book")));
    const std::string path = Write("book/novel.txt", Sjis("第一章\r\n"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    Form->OpenFile(path);
    Editor()->moveCursor(QTextCursor::End);
    Type(u"吾輩は猫である。"_qs);
    const struct stat before = StatOf(path);
    ASSERT_EQ(::chmod(PathOf("book").c_str(), 0555), 0);
    QStringList boxes;
    {
        const PlainUserRights plain;
        const ModalCatcher<QMessageBox> told([&boxes](QMessageBox* box) {
            boxes << box->text();
            box->reject();
        });
        QTest::keyClick(Editor(), Qt::Key_S, Qt::ControlModifier);
    }
    EXPECT_EQ(boxes, QStringList());
    EXPECT_EQ(Read(path), Sjis("第一章\r\n吾輩は猫である。"));
    EXPECT_EQ(StatOf(path).st_ino, before.st_ino);
    EXPECT_EQ(StatOf(path).st_mode, before.st_mode);
    EXPECT_EQ(Form->StatusText(3), "");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(PathOf("kotonami")))
        EXPECT_FALSE(entry.path().filename().string().starts_with("before-save-")) << entry.path();
    ::chmod(PathOf("book").c_str(), 0755);
}

// A tab with edits whose file another program changed, and then a reading of it again that fails
// (the file cannot be read now, a folder stands in its place, the file grows while it is read):
// the error names the file and why; the tab keeps its text, its edits to undo and its file, and
// the file still counts as changed on disk, so a save asks before writing over it.
TEST_F(WindowSavingTest, AReloadThatFailsKeepsTheTabAsItWas)
{
    const struct
    {
        const char* name;
        std::function<void(const std::string& path)> spoil;
        const char* reason; // in the error box
    } rows[] = {
        {"unreadable", [](const std::string& path) { ::chmod(path.c_str(), 0); },
         "読み取りの権限がないため開けません"},
        {"a folder",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         "フォルダのため開けません"},
        {"growing while read",
         [this](const std::string&) {
             Form->SetReadingHook([](const std::string& opened) {
                 std::ofstream(opened, std::ios::app) << "more of their text\r\n";
             });
         },
         "読み込み中にファイルが変更されました"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = Write((std::string(row.name) + ".txt").c_str(), "old\r\n");
        Form->OpenFile(path);
        Editor()->moveCursor(QTextCursor::End);
        Type("mine");
        Write((std::string(row.name) + ".txt").c_str(), "theirs, longer\r\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return Bar()->isVisible(); }));
        row.spoil(path);

        QStringList boxes;
        {
            const PlainUserRights plain;
            const ModalCatcher<QMessageBox> answers([&boxes](QMessageBox* box) {
                boxes << box->text();
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->accept();
            });
            Bar()->findChild<QPushButton*>("ReloadButton")->click();
        }
        Form->SetReadingHook({});
        ASSERT_EQ(boxes.size(), 2) << "the question, then the error";
        EXPECT_TRUE(boxes[1].contains(QString::fromStdString(path))) << boxes[1].toStdString();
        EXPECT_TRUE(boxes[1].contains(QString::fromUtf8(row.reason))) << boxes[1].toStdString();
        EXPECT_TRUE(Shows("old\nmine"));
        EXPECT_EQ(Form->StatusText(3), u"変更");
        EXPECT_TRUE(Bar()->isVisible());
        EXPECT_TRUE(Editor()->document()->isUndoAvailable());
        Editor()->undo();
        EXPECT_FALSE(Shows("mine"));
        EXPECT_TRUE(Shows("old"));

        // Readable again, the file is still theirs: the save asks first.
        std::filesystem::remove_all(path);
        Write((std::string(row.name) + ".txt").c_str(), "theirs\r\n");
        Type("x");
        QString question;
        AnswerMessageBox(QMessageBox::No, &question);
        Action("Save1")->trigger();
        EXPECT_TRUE(question.contains(u"上書き")) << question.toStdString();
        EXPECT_EQ(Read(path), "theirs\r\n");
        AnswerMessageBox(QMessageBox::No);
        Action("DeleteTabItem")->trigger();
    }
}

// Reopening in another encoding a file that cannot be read now keeps the tab as it was.
TEST_F(WindowSavingTest, AReopenThatFailsKeepsTheTabAsItWas)
{
    const std::string path = Write("story.txt", "old\r\n");
    Form->OpenFile(path);
    Editor()->moveCursor(QTextCursor::End);
    Type("mine");
    Form->SetReadingHook([](const std::string&) { throw Exception("the disk went away"); });
    QStringList boxes;
    {
        const ModalCatcher<QMessageBox> answers([&boxes](QMessageBox* box) {
            boxes << box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
        });
        AnswerModal<QInputDialog>([](QInputDialog* dialog) {
            dialog->setTextValue(QStringLiteral("UTF-8"));
            dialog->accept();
        });
        Action("ReopenWithEncodingItem")->trigger();
    }
    Form->SetReadingHook({});
    ASSERT_EQ(boxes.size(), 2) << "the question, then the error";
    EXPECT_TRUE(boxes[1].contains(u"the disk went away")) << boxes[1].toStdString();
    EXPECT_TRUE(Shows("old\nmine"));
    EXPECT_EQ(Form->StatusText(3), u"変更");
    Editor()->undo();
    EXPECT_TRUE(Shows("old"));
    EXPECT_FALSE(Shows("mine"));
    // Its file is the same file: saved, it holds the tab's text.
    Type("!");
    Action("Save1")->trigger();
    EXPECT_EQ(Read(path), "old\r\n!");
}

} // namespace
