// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TempFolder.h"
#include "shell/UsefulFunc.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include <unistd.h>

namespace {

// A mapped file gives what reading it gives, cut after the same first NUL, and its two spare
// bytes take a last CR LF even where the file fills its last page.
TEST(MappedText, ReadsAsTheFileIsReadAndTakesItsLastBreak)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    TempFolder folder;
    std::mt19937 random(4096);
    struct Row
    {
        std::size_t size;
        std::size_t nulAt; // npos: none
        bool utf16;
    };
    const std::size_t none = std::string::npos;
    const Row rows[] = {{1, none, false},        {page - 2, none, false},
                        {page - 1, none, false}, {page, none, false},
                        {2 * page, none, false}, {3 * page + 7, 100, false},
                        {page, page - 1, false}, {page + 1, 0, false},
                        {page, 301, true},       {2 * page, page, true}};
    for (const Row& row : rows) {
        std::string bytes(row.size, 'a');
        for (char& c : bytes)
            c = static_cast<char>(1 + random() % 255);
        if (row.nulAt != none) {
            bytes[row.nulAt] = '\0';
            if (row.utf16 && row.nulAt + 1 < bytes.size())
                bytes[row.nulAt + 1] = '\0';
        }
        const std::string path = folder.Write("text", bytes);
        SCOPED_TRACE(std::to_string(row.size) + " NUL at " + std::to_string(row.nulAt));
        TextBytes mapped = UsefulFunc::MapTextBytes(path, row.utf16);
        EXPECT_TRUE(mapped.IsMapped());
        const std::string read = UsefulFunc::ReadTextBytes(path, row.utf16);
        ASSERT_EQ(mapped.View(), read);
        mapped.AppendInPlace("\r\n");
        EXPECT_EQ(mapped.View(), read + "\r\n");
        EXPECT_EQ(mapped.TakeString(), read + "\r\n");
    }
}

TEST(MappedText, AnEmptyFileIsReadNotMapped)
{
    TempFolder folder;
    const std::string path = folder.Write("empty", "");
    const TextBytes empty = UsefulFunc::MapTextBytes(path);
    EXPECT_FALSE(empty.IsMapped());
    EXPECT_EQ(empty.View(), "");
}

} // namespace
