// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Document.h"
#include "shell/Exceptions.h"
#include "shell/ScopedVariable.h"
#include "shell/TempFolder.h"

#include "PlainUserRights.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(LineRule, SplitsAtEveryKindOfBreak)
{
    struct Row
    {
        const char* name;
        std::string text;
        Lines expected;
    };
    const std::vector<Row> rows = {
        {"empty text has no line", "", {}},
        {"one line without break", "abc", {"abc"}},
        {"final CR LF opens no empty line", "abc\r\n", {"abc"}},
        {"LF then CR are two breaks", std::string("a\n\rb"), {"a", "", "b"}},
        {"CR LF is one break", "a\r\nb", {"a", "b"}},
        {"CR alone breaks", "a\rb", {"a", "b"}},
        {"LF alone breaks", "a\nb", {"a", "b"}},
        {"CR CR LF is two breaks", "a\r\r\nb", {"a", "", "b"}},
        {"all kinds mixed", "a\rb\nc\r\nd\n\re", {"a", "b", "c", "d", "", "e"}},
        {"a lone break is one empty line", "\n", {""}},
        {"two breaks at the end give one empty line", "a\n\n", {"a", ""}},
        {"NUL ends the text", std::string("ab\0c\nd", 6), {"ab"}},
        {"NUL at the start leaves nothing", std::string("\0abc", 4), {}},
        {"double-byte text passes",
         "\x82\xA0\x82\xA2\r\n\x81\x40",
         {"\x82\xA0\x82\xA2", "\x81\x40"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SplitLines(row.text), row.expected) << row.name;
}

TEST(DocumentText, GetTextGivesBackTheStoredTextWithCrLf)
{
    struct Row
    {
        const char* name;
        std::string stored;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"empty", "", ""},
        {"no final break stays without", "abc", "abc"},
        {"final LF becomes CR LF", "abc\n", "abc\r\n"},
        {"LF-only text gets CR LF", "a\nb\nc", "a\r\nb\r\nc"},
        {"CR-only text gets CR LF", "a\rb\r", "a\r\nb"},
        {"empty line in the middle kept", "a\n\nb", "a\r\n\r\nb"},
        {"single LF", "\n", "\r\n"},
        {"text after a NUL is gone", std::string("ab\0\n", 4), "ab"},
    };
    for (const Row& row : rows) {
        Document document;
        document.SetText(row.stored);
        EXPECT_EQ(document.GetText(), row.expected) << row.name;
    }
}

TEST(DocumentText, NewDocumentIsEmpty)
{
    const Document document;
    EXPECT_FALSE(document.EndsWithNewline);
    EXPECT_TRUE(document.Lines.empty());
    EXPECT_FALSE(document.Modified);
    EXPECT_TRUE(document.FileName.empty());
    EXPECT_EQ(document.GetText(), "");
}

TEST(DocumentFile, SavesWithCrLfAndClearsModified)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.Write("abc.txt", "");
    document.SetText("abc\r\n");
    document.Modified = true;
    document.WriteToFile();
    EXPECT_EQ(TempFolder::Read(document.FileName), "abc\r\n");
    EXPECT_FALSE(document.Modified);
}

TEST(DocumentFile, EmptyDocumentWritesEmptyFile)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.Write("old.txt", "old text");
    document.WriteToFile();
    EXPECT_EQ(TempFolder::Read(document.FileName), "");
}

TEST(DocumentFile, SaveKeepsPermissionsAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.Write("kept.txt", "old");
    ASSERT_EQ(::chmod(document.FileName.c_str(), 0640), 0);
    document.SetText("new\n");
    document.WriteToFile();
    struct stat info
    {
    };
    ASSERT_EQ(::stat(document.FileName.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(TempFolder::Read(document.FileName), "new\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

void ExpectSaveFails(Document& document, const std::string& reason)
{
    const std::string message = "ﾌｧｲﾙ " + document.FileName + " を作成できません（" + reason + "）";
    document.Modified = true;
    try {
        document.WriteToFile();
        ADD_FAILURE() << "the save succeeded";
    } catch (const EFile& e) {
        EXPECT_EQ(e.what(), message);
    }
    EXPECT_TRUE(document.Modified);
}

TEST(DocumentFileFailure, MissingFolderCannotBeOpened)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.File("no-such-folder/a.txt");
    document.SetText("text");
    ExpectSaveFails(document, "フォルダがありません");
}

TEST(DocumentFileFailure, FolderInPlaceOfTheFileStaysAFolder)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.File("sub");
    ASSERT_EQ(::mkdir(document.FileName.c_str(), 0755), 0);
    document.SetText("text");
    ExpectSaveFails(document, "同じ名前のフォルダがあります");
    EXPECT_TRUE(std::filesystem::is_directory(document.FileName));
}

// A folder that takes no new file: a writable file takes the text in place, a read-only one keeps
// its old text.
TEST(DocumentFileFailure, UnwritableFolderTakesTheTextInPlaceOnlyInAWritableFile)
{
    TempFolder folder;
    const ScopedVariable state("XDG_STATE_HOME", folder.Path());
    ASSERT_EQ(::mkdir(folder.File("book").c_str(), 0755), 0);
    Document document;
    document.FileName = folder.Write("book/old.txt", "old text");
    Document readOnly;
    readOnly.FileName = folder.Write("book/read-only.txt", "old text");
    ASSERT_EQ(::chmod(readOnly.FileName.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(folder.File("book").c_str(), 0555), 0);
    const PlainUserRights plain;
    document.SetText("new text");
    document.Modified = true;
    document.WriteToFile();
    EXPECT_EQ(TempFolder::Read(document.FileName), "new text");
    EXPECT_FALSE(document.Modified);
    readOnly.SetText("new text");
    ExpectSaveFails(readOnly, "ファイルが読み取り専用です");
    EXPECT_EQ(TempFolder::Read(readOnly.FileName), "old text");
}

// A write that stops half-way (here: the file-size limit, which binds every user) must leave the
// old file as it was and no temporary file behind.
TEST(DocumentFileFailure, InterruptedWriteKeepsTheOldFile)
{
    TempFolder folder;
    Document document;
    document.FileName = folder.Write("old.txt", "old text");
    document.SetText(std::string(4096, 'x'));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectSaveFails(document, std::strerror(EFBIG));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(TempFolder::Read(document.FileName), "old text");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TabCaptionOfPath, IsTheFileNamePart)
{
    EXPECT_EQ(TabCaption(""), "新規");
    EXPECT_EQ(TabCaption("/home/writer/novel.txt"), "novel.txt");
    EXPECT_EQ(TabCaption("novel.txt"), "novel.txt");
    // A backslash is an ordinary byte of a Linux file name, also the trail byte of ソ (83 5C).
    EXPECT_EQ(TabCaption("/tmp/\x83\x5C.txt"), "\x83\x5C.txt");
    EXPECT_EQ(TabCaption("/tmp/a\\b.txt"), "a\\b.txt");
}

} // namespace
