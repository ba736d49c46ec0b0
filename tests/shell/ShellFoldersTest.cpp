// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Exceptions.h"
#include "shell/ScopedVariable.h"
#include "shell/TempFolder.h"
#include "shell/UsefulFunc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string LinkTarget(const std::string& link)
{
    std::error_code error;
    return std::filesystem::read_symlink(link, error).string();
}

TEST(SpecialFolders, EachIdMapsToItsDesktopFolder)
{
    TempFolder home;
    const ScopedVariable homeVariable("HOME", home.Path());
    const ScopedVariable data("XDG_DATA_HOME", home.File("data"));
    const ScopedVariable config("XDG_CONFIG_HOME", home.File("config"));
    std::filesystem::create_directory(home.File("config"));
    home.Write("config/user-dirs.dirs", "# written by the desktop\n"
                                        "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
                                        "XDG_DOCUMENTS_DIR=\"/srv/papers\"\n");
    const std::vector<std::pair<int, std::string>> rows = {
        {0, ""},
        {UsefulFunc::CSIDL_PROGRAMS, home.File("data/applications")},
        {UsefulFunc::CSIDL_PERSONAL, "/srv/papers"},
        {UsefulFunc::CSIDL_STARTUP, home.File("config/autostart")},
        {UsefulFunc::CSIDL_RECENT, ""},
        {UsefulFunc::CSIDL_SENDTO, home.File("data/nautilus/scripts")},
        {UsefulFunc::CSIDL_STARTMENU, home.File("data/applications")},
        {UsefulFunc::CSIDL_DESKTOPDIRECTORY, home.File("デスクトップ")},
        {UsefulFunc::CSIDL_NETHOOD, ""},
        {UsefulFunc::CSIDL_FONTS, home.File("data/fonts")},
        {UsefulFunc::CSIDL_TEMPLATES, home.Path()}, // no entry: the home folder
        {10, ""},
        {-1, ""},
    };
    for (const auto& [id, expected] : rows)
        EXPECT_EQ(UsefulFunc::GetSpecialFolderPath(id), expected) << "id " << id;
    // Send To is made when missing, so that a link can go there at once.
    EXPECT_TRUE(std::filesystem::is_directory(home.File("data/nautilus/scripts")));
}

// Every file of the program's own (settings, writing log, recovery drafts) finds its folder by one
// rule: an absolute variable, else the home folder, else nothing; never a shared folder.
TEST(SpecialFolders, OneRuleForTheProgramsOwnFolders)
{
    TempFolder home;
    const ScopedVariable homeVariable("HOME", home.Path());
    struct Row
    {
        const char* name;
        std::optional<std::string> state; // XDG_STATE_HOME, unset when empty
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"the variable", home.File("state"), home.File("state")},
        {"a relative variable is no folder", std::string("relative/state"),
         home.File(".local/state")},
        {"no variable", std::nullopt, home.File(".local/state")},
    };
    for (const Row& row : rows) {
        const ScopedVariable state("XDG_STATE_HOME", row.state.value_or(""));
        if (!row.state)
            ::unsetenv("XDG_STATE_HOME");
        EXPECT_EQ(UsefulFunc::XdgFolder("XDG_STATE_HOME", ".local/state"), row.expected)
            << row.name;
    }
}

TEST(SpecialFolders, FoldersAreMadeWithTheModeAskedAndKeepTheirsWhenThere)
{
    TempFolder home;
    const mode_t saved = ::umask(022);
    EXPECT_TRUE(UsefulFunc::MakeFolders(home.File("a/b/c"), 0700));
    for (const char* made : {"a", "a/b", "a/b/c"}) {
        struct stat info
        {
        };
        ASSERT_EQ(::stat(home.File(made).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    ASSERT_EQ(::mkdir(home.File("open").c_str(), 0755), 0);
    EXPECT_TRUE(UsefulFunc::MakeFolders(home.File("open/inner"), 0700));
    struct stat open
    {
    };
    ASSERT_EQ(::stat(home.File("open").c_str(), &open), 0);
    EXPECT_EQ(open.st_mode & 0777, 0755u);
    EXPECT_FALSE(UsefulFunc::MakeFolders(home.Write("a-file", "x") + "/below", 0700));
    EXPECT_TRUE(UsefulFunc::MakeFolders("", 0700));
    ::umask(saved);
}

TEST(SpecialFolders, SendToThatCannotBeMadeIsEmpty)
{
    TempFolder home;
    const ScopedVariable data("XDG_DATA_HOME", home.Write("a-file", "not a folder"));
    EXPECT_EQ(UsefulFunc::GetSpecialFolderPath(UsefulFunc::CSIDL_SENDTO), "");
}

TEST(Shortcut, ReplacingLeavesOneLinkToTheTarget)
{
    TempFolder folder;
    const std::string link = folder.File("Kotonami.lnk");
    UsefulFunc::CreateShortcut("/old/kotonami", link);
    UsefulFunc::CreateShortcut("/usr/bin/kotonami", link);
    EXPECT_EQ(LinkTarget(link), "/usr/bin/kotonami");
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST(Shortcut, FailureNamesTheStepAndKeepsTheOldLink)
{
    TempFolder folder;
    const std::string link = folder.File("Kotonami.lnk");
    UsefulFunc::CreateShortcut("/usr/bin/kotonami", link);
    const std::string blocker = folder.Write("blocker", "a file where a folder should be");
    const std::vector<std::string> unwritable = {blocker + "/Kotonami.lnk",
                                                 folder.File("missing/Kotonami.lnk")};
    for (const std::string& place : unwritable) {
        try {
            UsefulFunc::CreateShortcut("/usr/bin/kotonami", place);
            ADD_FAILURE() << place;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Save in UsefulFunc::CreateShortcut");
        }
    }
    // A link whose name leaves no room for the new link's temporary name: the new link cannot
    // be made even by the superuser, and the old one stays.
    const std::string longLink = folder.File(std::string(250, 'k'));
    ASSERT_EQ(::symlink("/usr/bin/kotonami", longLink.c_str()), 0);
    EXPECT_THROW(UsefulFunc::CreateShortcut("/elsewhere", longLink), Exception);
    EXPECT_EQ(LinkTarget(longLink), "/usr/bin/kotonami");
    if (::geteuid() != 0) { // the superuser writes into read-only folders anyway
        ::chmod(folder.Path().c_str(), 0555);
        EXPECT_THROW(UsefulFunc::CreateShortcut("/elsewhere", link), Exception);
        ::chmod(folder.Path().c_str(), 0755);
    }
    EXPECT_EQ(LinkTarget(link), "/usr/bin/kotonami");
}

} // namespace
