// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// `kotonami --export-pdf` to outputs that the system refuses or that are no regular files: a failed
// write gives a message and status 1, and a FIFO, a device or standard output is written into,
// never replaced; a symbolic link is written through and the file keeps its mode.

#include "ShiftJisText.h"
#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
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

TEST(PdfWriting, EveryRefusedOrSpecialOutputIsToldOrWrittenThrough)
{
    TempFolder folder;
    const std::string small = folder.Write("small.txt", Sjis("テスト\r\n"));
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string target = folder.Write("real.pdf", "old");
    ::chmod(target.c_str(), 0640);
    const std::string link = folder.File("link.pdf");
    std::filesystem::create_symlink(target, link);

    struct Row
    {
        const char* name;
        std::string output;
        int status;
        std::string readFrom; // a FIFO whose reader must get the PDF
    };
    const std::vector<Row> rows = {
        {"a PDF to a full disk", "/dev/full", 1, ""},
        {"a PDF to a FIFO", fifo, 0, fifo},
        {"a PDF to standard output", "-", 0, ""},
        {"a PDF through a symbolic link", link, 0, ""},
    };
    for (const Row& row : rows) {
        std::future<std::string> reader;
        if (!row.readFrom.empty())
            reader = std::async(std::launch::async, ReadAll, row.readFrom);
        const CliResult result =
            RunProgram(KOTONAMI_PATH, folder, {"--export-pdf", row.output, small});
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

TEST(PdfWriting, TheExportOfEndlessZerosStopsAtTheFirstNul)
{
    TempFolder folder;
    const CliResult result = RunProgram(KOTONAMI_PATH, folder, {"--export-pdf", "-", "/dev/zero"},
                                        std::string(1 << 20, '\0'));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("%PDF"));
}

} // namespace
