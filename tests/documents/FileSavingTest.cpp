// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/FileSaving.h"
#include "shell/Exceptions.h"
#include "shell/ScopedVariable.h"
#include "shell/TempFolder.h"

#include "PlainUserRights.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A writer's file in a folder that takes no new file, with the recovery folder in a folder of the
// test's own.
class ReadOnlyFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(::mkdir(FFolder.File("state").c_str(), 0700), 0);
        ASSERT_EQ(::mkdir(FFolder.File("book").c_str(), 0755), 0);
        File = FFolder.Write("book/novel.txt", "old text");
        ASSERT_EQ(::chmod(File.c_str(), 0640), 0);
        ASSERT_EQ(::link(File.c_str(), FFolder.File("other-name.txt").c_str()), 0);
        ASSERT_EQ(::chmod(FFolder.File("book").c_str(), 0555), 0);
    }

    struct stat StatOf(const std::string& path) const
    {
        struct stat info
        {
        };
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info;
    }

    // What is left in the recovery folder.
    int KeptCopies() const
    {
        const std::string folder = FFolder.File("state/kotonami/recovery");
        if (!std::filesystem::exists(folder))
            return 0;
        int count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
            ++count;
        return count;
    }

    std::string SaveFails(std::string_view text)
    {
        try {
            SaveTextFile(File, text);
        } catch (const EFile& failure) {
            return failure.what();
        }
        ADD_FAILURE() << "the save succeeded";
        return {};
    }

    std::string File;
    TempFolder FFolder;
    ScopedVariable FState{"XDG_STATE_HOME", FFolder.File("state")};
};

TEST_F(ReadOnlyFolderTest, AWritableFileIsSavedInPlaceAndStaysItself)
{
    const struct stat before = StatOf(File);
    const PlainUserRights plain;
    SaveTextFile(File, "new text, longer than the old one");
    const struct stat after = StatOf(File);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(TempFolder::Read(FFolder.File("other-name.txt")),
              "new text, longer than the old one");
    SaveTextFile(File, "short");
    EXPECT_EQ(TempFolder::Read(File), "short");
    EXPECT_EQ(KeptCopies(), 0);
}

// Without a copy of the old bytes nothing is written: the folder's refusal is the reason.
TEST_F(ReadOnlyFolderTest, NothingIsWrittenInPlaceWithoutACopyOfTheOldBytes)
{
    ASSERT_EQ(::chmod(FFolder.File("state").c_str(), 0500), 0);
    const PlainUserRights plain;
    EXPECT_EQ(SaveFails("new text"),
              "ﾌｧｲﾙ " + File + " を作成できません（フォルダに書き込む権限がありません）");
    EXPECT_EQ(TempFolder::Read(File), "old text");
}

// An in-place write that stops half-way (here: the file-size limit) puts the old bytes back and
// says why.
TEST_F(ReadOnlyFolderTest, AnInPlaceWriteThatFailsPutsTheOldBytesBack)
{
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    std::string message;
    {
        const PlainUserRights plain;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        message = SaveFails(std::string(4096, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
    }
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(message, "ﾌｧｲﾙ " + File + " を作成できません（" + std::strerror(EFBIG) + "）");
    EXPECT_EQ(TempFolder::Read(File), "old text");
    EXPECT_EQ(KeptCopies(), 0);
}

// What no in-place write can help keeps its own reason.
TEST_F(ReadOnlyFolderTest, ANewFileOrAReadOnlyFileIsRefusedWithItsReason)
{
    const PlainUserRights plain;
    const std::string fresh = FFolder.File("book/new.txt");
    try {
        SaveTextFile(fresh, "text");
        ADD_FAILURE() << "a new file was made";
    } catch (const EFile& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "ﾌｧｲﾙ " + fresh + " を作成できません（フォルダに書き込む権限がありません）");
    }
    ASSERT_EQ(::chmod(File.c_str(), 0440), 0);
    EXPECT_EQ(SaveFails("new text"),
              "ﾌｧｲﾙ " + File + " を作成できません（ファイルが読み取り専用です）");
    EXPECT_EQ(TempFolder::Read(File), "old text");
}

} // namespace
