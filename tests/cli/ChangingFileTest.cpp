// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what they were when the companion opened them: cut short or lengthened by
// another program while they are read, made certain by changing them the moment they are open.

#include "CliRunner.h"
#include "ShiftJisText.h"

#include "cli/CliOptions.h"
#include "cli/CliRun.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <functional>
#include <langinfo.h>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Counted
{
    int status = 0;
    std::string out;
    std::string err;
};

std::string ReadBack(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

// The companion's run over `files` in this process, `opened` told each FILE as it opens.
Counted CountInProcess(const std::vector<std::string>& files, const FileReader::Opened& opened)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
    CliSettings settings;
    settings.counting.lineMode = LineMode::Logical;
    Counted counted;
    counted.status = CountFiles(ParseCliOptions(files), settings, out.get(), err.get(), opened);
    counted.out = ReadBack(out.get());
    counted.err = ReadBack(err.get());
    return counted;
}

// The FILE that changed is named with the reason and left out, the status is 1, and the other
// FILEs are counted as they would be alone.
TEST(ChangingFile, AFileChangedWhileItIsReadIsNamedAndTheOthersAreCounted)
{
    TempFolder folder;
    std::string novel;
    while (novel.size() < (std::size_t{3} << 20))
        novel += Sjis(u8"吾輩は猫である。名前はまだ無い。\r\n");
    const std::string other =
        folder.Write("other.txt", Sjis(u8"どこで生れたかとんと見当がつかぬ。\r\n"));
    const Counted alone = CountInProcess({other}, {});
    ASSERT_EQ(alone.status, 0) << alone.err;
    struct Row
    {
        const char* fact;
        std::function<void(const std::string&)> change;
    };
    const Row rows[] = {
        {"cut short",
         [](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 1000), 0); }},
        {"cut to nothing",
         [](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 0), 0); }},
        {"lengthened",
         [](const std::string& path) { std::ofstream(path, std::ios::app) << "more"; }},
    };
    std::setlocale(LC_CTYPE, "");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fact);
        const std::string changing = folder.Write("changing.txt", novel);
        const Counted counted = CountInProcess({changing, other}, [&](const std::string& path) {
            if (path == changing)
                row.change(path);
        });
        EXPECT_EQ(counted.status, 1);
        EXPECT_EQ(counted.out, alone.out);
        EXPECT_EQ(counted.err, Utf8ToLocaleText("kotonami-count: " + changing +
                                                    ": 読み込み中にファイルが変更されました\n",
                                                nl_langinfo(CODESET)));
    }
}

} // namespace
