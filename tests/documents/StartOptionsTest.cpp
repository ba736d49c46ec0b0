// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/StartOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

TEST(StartOptionsOfTheWindow, OptionsComeOffAndTheRestAreItems)
{
    const StartOptions options =
        ParseStartOptions({"--new-window", "a.txt", "--quit-after-start", "b c.txt", "--unknown",
                           "--", "--help", "--new-window"});
    EXPECT_TRUE(options.newWindow);
    EXPECT_TRUE(options.quitAfterStart);
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.version);
    EXPECT_EQ(options.items, (Items{"a.txt", "b c.txt", "--unknown", "--help", "--new-window"}));
    EXPECT_TRUE(ParseStartOptions({"--version"}).version);
    EXPECT_TRUE(ParseStartOptions({"--help"}).items.empty());
    const StartOptions settings = ParseStartOptions({"--settings", "--new-window", "x.txt"});
    EXPECT_EQ(settings.settingsPath, "--new-window");
    EXPECT_EQ(settings.items, Items{"x.txt"});
    EXPECT_FALSE(ParseStartOptions({"x.txt", "--settings"}).error.empty());
    // An option of the PDF export without --export-pdf first is a mistake, not a file's name.
    for (const char* option : {"--submission", "--title", "--horizontal"})
        EXPECT_EQ(ParseStartOptions({option, "novel.txt"}).error,
                  std::string(option) + " goes with --export-pdf OUT.pdf")
            << option;
    EXPECT_EQ(ParseStartOptions({"a.txt", "--export-pdf", "b.pdf"}).error,
              "--export-pdf OUT.pdf comes first");
    EXPECT_EQ(ParseStartOptions({"--", "--submission"}).items, Items{"--submission"});
}

TEST(StartOptionsOfTheWindow, ItemsBecomeAbsoluteForAnotherWindow)
{
    EXPECT_EQ(AbsoluteItems({"a.txt", "/srv/b.txt", "", "sub/*.txt"}, "/home/writer"),
              (Items{"/home/writer/a.txt", "/srv/b.txt", "/home/writer/sub/*.txt"}));
}

} // namespace
