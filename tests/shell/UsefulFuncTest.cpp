// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/UsefulFunc.h"
#include "shell/TempFolder.h"

#include "shell/Exceptions.h"
#include "shell/SaveFailure.h"

#include "PlainUserRights.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <future>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>
#include <vector>

// The process's umask as the system keeps it, with a pause after each change: a save that changed
// it for a moment would let another thread's new file meet that moment.
extern "C" mode_t umask(mode_t mask)
{
    const auto old = static_cast<mode_t>(::syscall(SYS_umask, mask));
    if (old != mask)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    return old;
}

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

mode_t ModeOf(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The process's umask for one test, put back afterwards.
class ScopedUmask
{
public:
    explicit ScopedUmask(mode_t mask) : FOld(::umask(mask)) {}
    ~ScopedUmask() { ::umask(FOld); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t FOld;
};

// A new file takes what the umask leaves of 0666; a file saved over keeps its own permissions,
// whatever the umask.
TEST(AtomicWrite, NewFilesFollowTheUmaskAndOldFilesKeepTheirMode)
{
    const struct
    {
        mode_t umask;
        mode_t expected;
    } fresh[] = {{022, 0644}, {077, 0600}, {002, 0664}, {027, 0640}, {0, 0666}};
    for (const auto& row : fresh) {
        TempFolder folder;
        const ScopedUmask mask(row.umask);
        UsefulFunc::WriteFileAtomically(folder.File("new.txt"), "abc");
        EXPECT_EQ(ModeOf(folder.File("new.txt")), row.expected) << std::oct << row.umask;
    }
    for (const mode_t kept : {0600, 0640, 0644, 0664, 0755, 0700, 0444}) {
        TempFolder folder;
        const ScopedUmask mask(077);
        const std::string path = folder.Write("old.txt", "old");
        ASSERT_EQ(::chmod(path.c_str(), kept), 0);
        UsefulFunc::WriteFileAtomically(path, "new");
        EXPECT_EQ(ModeOf(path), kept) << std::oct << kept;
        EXPECT_EQ(TempFolder::Read(path), "new");
    }
}

// The recovery writer and the window save at the same moment: neither changes the process's
// umask on the way, so neither's new file comes out with the other's moment of another mask. (The
// umask of this program pauses after each change, so that such a moment would be met.)
TEST(AtomicWrite, SavesOnTwoThreadsGiveEveryNewFileTheUmasksMode)
{
    TempFolder folder;
    const ScopedUmask mask(077);
    constexpr int Files = 200;
    const auto save = [&folder](char thread) {
        for (int i = 0; i < Files; ++i)
            UsefulFunc::WriteFileAtomically(folder.File(thread + std::to_string(i)), "x");
    };
    std::thread other(save, 'a');
    save('b');
    other.join();
    int wrong = 0;
    for (const char thread : {'a', 'b'})
        for (int i = 0; i < Files; ++i)
            wrong += ModeOf(folder.File(thread + std::to_string(i))) != 0600;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(::umask(077), 077u);
}

TEST(AtomicWrite, SymbolicLinkStaysAndPointsAtTheNewText)
{
    TempFolder folder;
    struct stat info
    {
    };
    const std::string target = folder.Write("target.txt", "old");
    ASSERT_EQ(::symlink(target.c_str(), folder.File("link.txt").c_str()), 0);
    UsefulFunc::WriteFileAtomically(folder.File("link.txt"), "new");
    ASSERT_EQ(::lstat(folder.File("link.txt").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(TempFolder::Read(target), "new");
}

// Each failed save names the file and the real reason, never one text for all.
TEST(AtomicWrite, AFailedSaveNamesTheFileAndTheReason)
{
    TempFolder folder;
    const std::string readOnlyFolder = folder.File("locked");
    ASSERT_EQ(::mkdir(readOnlyFolder.c_str(), 0555), 0);
    const std::string readOnlyFile = folder.Write("read-only.txt", "old");
    ASSERT_EQ(::chmod(readOnlyFile.c_str(), 0444), 0);
    ASSERT_EQ(::mkdir(folder.File("sub").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
    const struct
    {
        std::string path;
        const char* reason;
    } rows[] = {
        {folder.File("no-such-folder/a.txt"), "フォルダがありません"},
        {folder.File("read-only.txt/a.txt"), "フォルダがありません"},
        {folder.File("sub"), "同じ名前のフォルダがあります"},
        {readOnlyFolder + "/new.txt", "フォルダに書き込む権限がありません"},
        {readOnlyFile, "ファイルが読み取り専用です"},
        {folder.File("pipe"), "読み込むプログラムのないパイプです"},
        {"/dev/full", "ディスクに空きがありません"},
    };
    const PlainUserRights plain;
    for (const auto& row : rows) {
        try {
            UsefulFunc::WriteFileAtomically(row.path, "text");
            ADD_FAILURE() << row.path << " was written";
        } catch (const EFile& failure) {
            EXPECT_EQ(std::string(failure.what()),
                      "ﾌｧｲﾙ " + row.path + " を作成できません（" + row.reason + "）");
        }
    }
    EXPECT_EQ(TempFolder::Read(readOnlyFile), "old");
}

// Any other reason is the system's own text.
TEST(AtomicWrite, AnUnnamedReasonIsTheSystemsText)
{
    EXPECT_EQ(SaveFailureReason(EIO, ESaveFailed::Step::Write), std::strerror(EIO));
    EXPECT_EQ(SaveFailureReason(EFBIG, ESaveFailed::Step::Write), std::strerror(EFBIG));
}

// In place, the file stays itself: its inode, its permissions and its other names.
TEST(InPlaceWrite, KeepsTheFilesIdentityForLongerAndShorterTexts)
{
    TempFolder folder;
    const std::string path = folder.Write("novel.txt", "a text of some length");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_EQ(::link(path.c_str(), folder.File("other-name.txt").c_str()), 0);
    struct stat before
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    for (const std::string text : {"short", "a longer text than the file held before", ""}) {
        UsefulFunc::WriteFileInPlace(path, text);
        struct stat after
        {
        };
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(TempFolder::Read(folder.File("other-name.txt")), text);
    }
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
