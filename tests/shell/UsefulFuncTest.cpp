// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/UsefulFunc.h"
#include "shell/TempFolder.h"

#include "shell/Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <future>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <thread>
#include <vector>

namespace {

TEST(ExactPathNameOfItem, ExpandsWildcardsToTheFirstMatch)
{
    TempFolder folder;
    const std::string b = folder.Write("chapter-b.txt", "b");
    const std::string a = folder.Write("chapter-a.txt", "a");
    folder.Write("notes.md", "n");
    const std::string star = folder.Write("odd*.txt", "a file whose name holds a star");
    struct Row
    {
        const char* name;
        std::string item;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"existing path unchanged", b, b},
        {"star takes the first match in sorted order", folder.File("chapter-*.txt"), a},
        {"question mark", folder.File("chapter-?.txt"), a},
        {"bracket", folder.File("chapter-[b].txt"), b},
        {"no match unchanged", folder.File("*.doc"), folder.File("*.doc")},
        {"missing path unchanged", folder.File("missing.txt"), folder.File("missing.txt")},
        {"empty unchanged", "", ""},
        {"existing name with a star is itself", star, star},
        {"letter case is not folded", folder.File("CHAPTER-A.TXT"), folder.File("CHAPTER-A.TXT")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(UsefulFunc::ExactPathName(row.item), row.expected) << row.name;
}

TEST(FileReadability, OnlyReadableFilesPass)
{
    TempFolder folder;
    const std::string file = folder.Write("a.txt", "a");
    const std::string empty = folder.Write("empty.txt", "");
    EXPECT_TRUE(UsefulFunc::IsFileReadable(file));
    EXPECT_TRUE(UsefulFunc::IsFileReadable(empty));
    EXPECT_FALSE(UsefulFunc::IsFileReadable(folder.Path()));
    EXPECT_FALSE(UsefulFunc::IsFileReadable(folder.File("missing.txt")));
    EXPECT_FALSE(UsefulFunc::IsFileReadable(""));
    // Opening these as documents would wait for a writer forever, or read without end.
    ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(UsefulFunc::IsFileReadable(folder.File("pipe")));
    EXPECT_FALSE(UsefulFunc::IsFileReadable("/dev/zero"));
}

TEST(FileNameOfPath, IsWhatFollowsTheLastSlash)
{
    EXPECT_EQ(UsefulFunc::FileNamePart("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(UsefulFunc::FileNamePart("c.txt"), "c.txt");
    EXPECT_EQ(UsefulFunc::FileNamePart("/a/b/"), "");
}

TEST(AtomicWrite, ASaveRemovesTheLeftoversOfKilledSavesOnly)
{
    TempFolder folder;
    const struct
    {
        const char* name;
        std::time_t age; // seconds before now
        bool stays;
    } rows[] = {
        {".kotonami-save-Ab12Cd", 3600, false}, // an earlier process was killed while saving
        {".kotonami-save-Ef34Gh", -60, true},   // a save of a running window
        {".kotonami-other", 3600, true},        // not ours
        {"chapter.txt", 3600, true},
    };
    for (const auto& row : rows) {
        const std::string path = folder.Write(row.name, "x");
        const timeval times[2] = {{std::time(nullptr) - row.age, 0},
                                  {std::time(nullptr) - row.age, 0}};
        ASSERT_EQ(::utimes(path.c_str(), times), 0);
    }
    UsefulFunc::WriteFileAtomically(folder.File("chapter.txt"), "saved");
    for (const auto& row : rows)
        EXPECT_EQ(std::filesystem::exists(folder.File(row.name)), row.stays) << row.name;
    EXPECT_EQ(TempFolder::Read(folder.File("chapter.txt")), "saved");
}

TEST(AtomicWrite, NewFileGetsOrdinaryPermissionsAndSymlinkStays)
{
    TempFolder folder;
    const mode_t mask = ::umask(022);
    UsefulFunc::WriteFileAtomically(folder.File("new.txt"), "abc");
    ::umask(mask);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(folder.File("new.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    const std::string target = folder.Write("target.txt", "old");
    ASSERT_EQ(::symlink(target.c_str(), folder.File("link.txt").c_str()), 0);
    UsefulFunc::WriteFileAtomically(folder.File("link.txt"), "new");
    ASSERT_EQ(::lstat(folder.File("link.txt").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(TempFolder::Read(target), "new");
}

// The window's saves: a FIFO with a reader gets the text and stays a FIFO; one without a reader is
// refused at once; a device is written into.
TEST(AtomicWrite, SpecialFilesAreWrittenThroughNeverReplaced)
{
    TempFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(UsefulFunc::WriteFileAtomically(fifo, "nobody reads"), EFile);
    std::future<std::string> reader =
        std::async(std::launch::async, [&fifo] { return TempFolder::Read(fifo); });
    // The reader opens the FIFO at some moment; the write is tried until it is there.
    bool written = false;
    for (int attempt = 0; attempt < 2000 && !written; ++attempt) {
        try {
            UsefulFunc::WriteFileAtomically(fifo, "text");
            written = true;
        } catch (const EFile&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    EXPECT_TRUE(written);
    EXPECT_EQ(reader.get(), "text");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_NO_THROW(UsefulFunc::WriteFileAtomically("/dev/null", "text"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_THROW(UsefulFunc::WriteFileAtomically("/dev/full", "text"), EFile);
}

} // namespace
