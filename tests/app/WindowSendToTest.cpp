// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Send To from the window's menu, in a desktop folder of the test's own.

#include "WindowHarness.h"

#include "shell/ScopedVariable.h"

#include <filesystem>

namespace {

class WindowSendToTest : public WindowTest
{
protected:
    // Triggers the menu item and returns the text of the box it shows.
    QString Choose(const char* action)
    {
        QString text;
        AnswerMessageBox(QMessageBox::Ok, &text);
        Action(action)->trigger();
        return text;
    }

    long EntriesInSendTo() const
    {
        const std::string folder = FData.filePath("nautilus/scripts").toStdString();
        return std::distance(std::filesystem::directory_iterator(folder), {});
    }

    QTemporaryDir FData;
    ScopedVariable FDataHome{"XDG_DATA_HOME", FData.path().toStdString()};
    std::string FLink = FData.filePath("nautilus/scripts/Kotonami").toStdString();
};

TEST_F(WindowSendToTest, RegisteringTwiceLeavesOneLinkAndRemovalAlwaysConfirms)
{
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(Choose("CreateSendToItem"),
                  QStringLiteral(u"Kotonamiを 「送る」 に登録しました。"));
    EXPECT_EQ(std::filesystem::read_symlink(FLink).string(),
              QFile::encodeName(QApplication::applicationFilePath()).toStdString());
    EXPECT_EQ(EntriesInSendTo(), 1);
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(Choose("DeleteSendToItem"),
                  QStringLiteral(u"Kotonamiを 「送る」 から削除しました。"));
    EXPECT_FALSE(std::filesystem::is_symlink(FLink));
}

TEST_F(WindowSendToTest, TheLinkOfAnEarlierVersionIsReplaced)
{
    const std::string old = FLink + ".lnk";
    std::filesystem::create_directories(std::filesystem::path(old).parent_path());
    std::filesystem::create_symlink("/bin/true", old);
    EXPECT_EQ(Choose("CreateSendToItem"), QStringLiteral(u"Kotonamiを 「送る」 に登録しました。"));
    EXPECT_FALSE(std::filesystem::is_symlink(old));
    EXPECT_TRUE(std::filesystem::is_symlink(FLink));
    EXPECT_EQ(EntriesInSendTo(), 1);
}

TEST_F(WindowSendToTest, FailuresShowTheirTextAndKeepWhatIsThere)
{
    // Something that is not a link where the link goes: the new link cannot take its place.
    std::filesystem::create_directories(FLink);
    std::ofstream(FLink + "/kept") << "kept";
    EXPECT_EQ(Choose("CreateSendToItem"), QStringLiteral("Save in UsefulFunc::CreateShortcut"));
    EXPECT_TRUE(std::filesystem::exists(FLink + "/kept"));
    EXPECT_EQ(EntriesInSendTo(), 1);

    // A data folder that is a file: there is no Send To folder to be had.
    const ScopedVariable blocked("XDG_DATA_HOME", Write("blocked", "a file"));
    EXPECT_EQ(Choose("CreateSendToItem"),
              QStringLiteral(u"「送る」フォルダの取得に失敗しました。"));
    EXPECT_EQ(Choose("DeleteSendToItem"),
              QStringLiteral(u"「送る」フォルダの取得に失敗しました。"));
}

} // namespace
