// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Output that the system refuses, and outputs that are no regular files: every failed write gives a
// message and status 1, and a FIFO, a device or standard output is written into, never replaced.

#include "CliRunner.h"

#include "../ShiftJisText.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string ReadAll(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string bytes;
    char buffer[4096];
    for (ssize_t got = 0; fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

TEST(Writing, EveryRefusedOrSpecialOutputIsToldOrWrittenThrough)
{
    TempFolder folder;
    const std::string small = folder.Write("small.txt", Sjis("テスト\r\n"));
    // Output that fills most of the C library's buffer: the failed write is the only sign.
    const std::string kana = folder.Write("kana.txt", std::string(1046, '\xB1'));
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string target = folder.Write("real.pdf", "old");
    ::chmod(target.c_str(), 0640);
    const std::string link = folder.File("link.pdf");
    std::filesystem::create_symlink(target, link);

    struct Row
    {
        const char* name;
        const char* program;
        std::vector<std::string> arguments;
        std::string outputTo;
        int status;
        std::string readFrom; // a FIFO whose reader must get the PDF
    };
    const std::vector<Row> rows = {
        {"4,095 bytes to a full disk",
         KOTONAMI_COUNT_PATH,
         {"--raw", "--full-kana", kana},
         "/dev/full",
         1,
         ""},
        {"a short report to a full disk",
         KOTONAMI_COUNT_PATH,
         {"--stats", small},
         "/dev/full",
         1,
         ""},
        {"the help to a full disk", KOTONAMI_COUNT_PATH, {"--help"}, "/dev/full", 1, ""},
        {"a PDF to a full disk", KOTONAMI_PATH, {"--export-pdf", "/dev/full", small}, "", 1, ""},
        {"a PDF to a FIFO", KOTONAMI_PATH, {"--export-pdf", fifo, small}, "", 0, fifo},
        {"a PDF to standard output", KOTONAMI_PATH, {"--export-pdf", "-", small}, "", 0, ""},
        {"a PDF through a symbolic link", KOTONAMI_PATH, {"--export-pdf", link, small}, "", 0, ""},
    };
    for (const Row& row : rows) {
        std::future<std::string> reader;
        if (!row.readFrom.empty())
            reader = std::async(std::launch::async, ReadAll, row.readFrom);
        const CliResult result = RunProgram(row.program, folder, row.arguments, "", row.outputTo);
        EXPECT_EQ(result.status, row.status) << row.name;
        if (row.status != 0) {
            EXPECT_FALSE(result.err.empty()) << row.name;
        }
        if (reader.valid()) {
            EXPECT_TRUE(reader.get().starts_with("%PDF")) << row.name;
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(TempFolder::Read(target).starts_with("%PDF"));
    struct stat info
    {
    };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    const CliResult piped = RunProgram(KOTONAMI_PATH, folder, {"--export-pdf", "-", small});
    EXPECT_TRUE(piped.out.starts_with("%PDF"));
}

} // namespace
