// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Files changed on disk under the window's tabs: read again under a tab without edits, a bar under
// one with edits, a question before saving over them, and our own saves left alone.

#include "WindowHarness.h"

#include "app/ChangedOnDiskBar.h"
#include "app/DocumentTabs.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QStatusBar>

#include <cstdio>
#include <filesystem>

namespace {

class WindowWatchTest : public WindowTest
{
protected:
    // Another program's save: written over the file, or written beside it and renamed over it
    // as many editors do.
    void ChangeOnDisk(const char* name, const std::string& bytes, bool byRename) const
    {
        if (!byRename) {
            Write(name, bytes);
            return;
        }
        const std::string beside = Write("beside.tmp", bytes);
        ASSERT_EQ(std::rename(beside.c_str(), PathOf(name).c_str()), 0);
    }

    ChangedOnDiskBar* Bar() const { return Form->findChild<ChangedOnDiskBar*>(); }
    bool Shows(const char* text) const { return Editor()->toPlainText().contains(text); }
    QString EncodingPanel() const { return Form->findChild<QLabel*>("StatusPanel4")->text(); }
};

// A file that another program wrote anew in another encoding is read in that one, whether its tab
// was read again by itself or by the bar's 再読み込み: the status bar says so, and a save writes
// the file in that encoding alone.
TEST_F(WindowWatchTest, AFileRewrittenInAnotherEncodingIsReadInIt)
{
    const std::u16string story =
        u"吾輩は猫である。名前はまだ無い。\nどこで生れたかとんと見当がつかぬ。\n";
    std::string shiftJis;
    std::string utf8;
    EncodeText(story, TextEncoding::ShiftJis, LineBreak::CrLf, true, shiftJis);
    EncodeText(story, TextEncoding::Utf8, LineBreak::CrLf, true, utf8);
    for (const bool edited : {false, true}) {
        SCOPED_TRACE(edited);
        const std::string path = Write("story.txt", shiftJis);
        Form->OpenFile(path);
        ASSERT_EQ(EncodingPanel(), "Shift-JIS");
        if (edited)
            Type(u"書きかけ"_qs);
        ChangeOnDisk("story.txt", utf8, true);
        if (edited) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return Bar()->isVisible(); }));
            AnswerMessageBox(QMessageBox::Yes);
            Bar()->findChild<QPushButton*>("ReloadButton")->click();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return EncodingPanel() == "UTF-8"; }));
        EXPECT_EQ(Editor()->toPlainText(), QString::fromStdU16String(story));
        EXPECT_FALSE(Editor()->GetModified());
        EXPECT_TRUE(Form->statusBar()->currentMessage().contains(u"Shift-JIS から UTF-8"))
            << Form->statusBar()->currentMessage().toStdString();
        Editor()->moveCursor(QTextCursor::Start);
        Type(u"「"_qs);
        Action("Save1")->trigger();
        EXPECT_EQ(Read(path), reinterpret_cast<const char*>(u8"「") + utf8);
        Action("DeleteTabItem")->trigger();
    }
}

TEST_F(WindowWatchTest, UnmodifiedTabIsReadAgainWithItsCaret)
{
    for (const bool byRename : {false, true}) {
        SCOPED_TRACE(byRename);
        Form->OpenFile(Write("story.txt", "first line\r\nsecond\r\n"));
        QTextCursor cursor = Editor()->textCursor();
        cursor.setPosition(7);
        Editor()->setTextCursor(cursor);
        ChangeOnDisk("story.txt", "first line\r\nchanged\r\n", byRename);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Shows("changed"); }));
        EXPECT_EQ(Editor()->textCursor().position(), 7);
        EXPECT_FALSE(Editor()->GetModified());
        EXPECT_FALSE(Bar()->isVisible());
        // The watch holds after the file was replaced: a second change is read as well.
        ChangeOnDisk("story.txt", "again\r\n", byRename);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Shows("again"); }));
        Form->findChild<QAction*>("DeleteTabItem")->trigger();
    }
}

TEST_F(WindowWatchTest, ModifiedTabShowsBarAndReloadDropsEdits)
{
    Form->OpenFile(Write("story.txt", "old\r\n"));
    Type("typed");
    ChangeOnDisk("story.txt", "theirs\r\n", true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Bar()->isVisible(); }));
    EXPECT_TRUE(Shows("typed")); // nothing is read under the edits unasked
    // Declined, the edits stay; accepted, the file's text replaces them.
    AnswerMessageBox(QMessageBox::No);
    Bar()->findChild<QPushButton*>("ReloadButton")->click();
    EXPECT_TRUE(Shows("typed"));
    EXPECT_TRUE(Bar()->isVisible());
    AnswerMessageBox(QMessageBox::Yes);
    Bar()->findChild<QPushButton*>("ReloadButton")->click();
    EXPECT_TRUE(Shows("theirs"));
    EXPECT_FALSE(Shows("typed"));
    EXPECT_FALSE(Editor()->GetModified());
    EXPECT_FALSE(Bar()->isVisible());
}

TEST_F(WindowWatchTest, SavingOverChangedFileAsks)
{
    const std::string path = Write("story.txt", "old\r\n");
    Form->OpenFile(path);
    Type("mine");
    ChangeOnDisk("story.txt", "theirs\r\n", false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Bar()->isVisible(); }));
    Bar()->findChild<QPushButton*>("IgnoreButton")->click();
    EXPECT_FALSE(Bar()->isVisible());
    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    Action("Save1")->trigger();
    EXPECT_TRUE(question.contains(u"上書き"));
    EXPECT_EQ(Read(path), "theirs\r\n");
    EXPECT_TRUE(Editor()->GetModified());
    AnswerMessageBox(QMessageBox::Yes);
    Action("Save1")->trigger();
    EXPECT_EQ(Read(path), "mineold\r\n");
    EXPECT_FALSE(Editor()->GetModified());
}

TEST_F(WindowWatchTest, OwnSaveIsNoChangeAndDeletedFileMarksTab)
{
    const std::string mine = Write("mine.txt", "old\r\n");
    Form->OpenFile(Write("other.txt", "other\r\n"));
    Form->OpenFile(mine);
    Type("a");
    Action("Save1")->trigger();
    Type("b");
    // Another file's change, read behind the tab in front, comes after our save's own events.
    ChangeOnDisk("other.txt", "renewed\r\n", true);
    const Document* other =
        Form->Documents().Item(Form->Documents().IndexOfFile(PathOf("other.txt")));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return other->GetText().find("renewed") != std::string::npos; }));
    EXPECT_TRUE(Shows("abold"));
    EXPECT_FALSE(Bar()->isVisible());
    // Saving again writes without a question.
    Action("Save1")->trigger();
    EXPECT_EQ(Read(mine), "abold\r\n");

    // A deleted file leaves its tab modified, so that closing it asks.
    ASSERT_TRUE(std::filesystem::remove(mine));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Editor()->GetModified(); }));
    const int tabs = Tabs()->count();
    AnswerMessageBox(QMessageBox::Cancel);
    Action("DeleteTabItem")->trigger();
    EXPECT_EQ(Tabs()->count(), tabs);
}

// Only the files open in a tab are watched, and only the folders that hold one: closing a tab, or
// saving its text under another name, lets its file go, and its folder once no open file is left
// in it; a change to a file let go changes nothing in the window.
TEST_F(WindowWatchTest, OnlyOpenFilesAndTheirFoldersAreWatched)
{
    for (const char* folder : {"a", "b", "c"})
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(PathOf(folder))));
    const auto* watch = Form->findChild<QFileSystemWatcher*>();
    const auto watched = [&] {
        QStringList names;
        for (const QString& path : watch->files() + watch->directories())
            names << QDir(QString::fromStdString(PathOf(""))).relativeFilePath(path);
        names.sort();
        return names;
    };
    for (const char* name : {"a/one.txt", "a/two.txt", "b/three.txt"})
        Form->OpenFile(Write(name, "text\n"));
    EXPECT_EQ(watched(), QStringList({"a", "a/one.txt", "a/two.txt", "b", "b/three.txt"}));

    const auto closeTab = [&](const char* name) {
        Tabs()->setCurrentIndex(Form->Documents().IndexOfFile(PathOf(name)));
        Action("DeleteTabItem")->trigger();
    };
    closeTab("a/one.txt");
    EXPECT_EQ(watched(), QStringList({"a", "a/two.txt", "b", "b/three.txt"}));
    closeTab("a/two.txt");
    EXPECT_EQ(watched(), QStringList({"b", "b/three.txt"}));
    AnswerFileDialog(QString::fromStdString(PathOf("c/three.txt")));
    Action("SaveAs1")->trigger();
    EXPECT_EQ(watched(), QStringList({"c", "c/three.txt"}));

    const int tabs = Tabs()->count();
    for (const char* name : {"a/one.txt", "b/three.txt"})
        ChangeOnDisk(name, "changed\n", false);
    QTest::qWait(100);
    EXPECT_EQ(Tabs()->count(), tabs);
    EXPECT_FALSE(Bar()->isVisible());
}

} // namespace
