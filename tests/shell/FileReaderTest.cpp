// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FileReader.h"
#include "shell/Exceptions.h"
#include "shell/TempFolder.h"
#include "shell/TextBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

using FileReader::NulEnd;

constexpr std::size_t FirstPiece = std::size_t{64} << 10;
constexpr std::size_t Piece = std::size_t{1} << 20;
constexpr std::size_t None = std::string::npos;

// Random bytes without a NUL, and with zero bytes at odd offsets: in UTF-16 a zero byte is half
// of a unit, and two of them across two units are no NUL unit.
std::string Noise(std::size_t size, std::mt19937& random)
{
    std::string bytes(size, 'a');
    for (char& c : bytes)
        c = static_cast<char>(1 + random() % 255);
    for (std::size_t at = 1; at + 1 < size; at += 4098)
        bytes[at] = bytes[at + 1] = '\0';
    return bytes;
}

// Whatever piece of the reading the NUL falls in, the text is the bytes before it, and a text
// that the file's end ends takes its last CR LF where it was read.
TEST(FileReader, ReadsUpToTheFirstNulWhereverItFalls)
{
    TempFolder folder;
    std::mt19937 random(4096);
    struct Row
    {
        std::size_t size;
        std::size_t nulAt; // an even offset; None: no NUL
        NulEnd rule;
    };
    const Row rows[] = {
        {1, None, NulEnd::Unit},
        {FirstPiece - 1, None, NulEnd::Unit},
        {FirstPiece, None, NulEnd::Unit},
        {FirstPiece + 1, None, NulEnd::Unit},
        {FirstPiece + Piece + 3, None, NulEnd::Unit},
        {3 * Piece + 7, 100, NulEnd::Unit},
        {FirstPiece + 1, FirstPiece - 2, NulEnd::Unit},
        {FirstPiece + 8, FirstPiece, NulEnd::Unit},
        {FirstPiece + Piece + 8, FirstPiece + Piece - 2, NulEnd::Unit},
        {2 * Piece, 0, NulEnd::Unit},
        {FirstPiece + Piece + 8, FirstPiece + Piece, NulEnd::ByMark},
        {FirstPiece + 8, FirstPiece - 2, NulEnd::ByMark},
    };
    for (const Row& row : rows) {
        std::string bytes = Noise(row.size, random);
        if (row.rule == NulEnd::ByMark)
            bytes.replace(0, 2, "\xFF\xFE");
        if (row.nulAt != None)
            bytes[row.nulAt] = bytes[row.nulAt + 1] = '\0';
        const std::string path = folder.Write("text", bytes);
        // A NUL unit where the units count; the first zero byte where bytes do.
        const std::size_t byteNul = bytes.find('\0');
        for (const NulEnd rule : {row.rule, NulEnd::Byte, NulEnd::None}) {
            SCOPED_TRACE(std::to_string(row.size) + " NUL at " + std::to_string(row.nulAt) +
                         " rule " + std::to_string(static_cast<int>(rule)));
            const std::size_t nul = rule == NulEnd::None   ? None
                                    : rule == NulEnd::Byte ? byteNul
                                                           : row.nulAt;
            FileReader::Read read = FileReader::ReadFile(path, {rule});
            ASSERT_TRUE(read.bytes == bytes.substr(0, nul)) << read.bytes.size() << " bytes read";
            EXPECT_EQ(read.nulAt, nul == None ? std::nullopt : std::optional(nul));
            TextBytes text(std::move(read.bytes));
            const char* const place = text.View().data();
            text.AppendInPlace("\r\n");
            EXPECT_TRUE(text.View() == bytes.substr(0, nul) + "\r\n");
            if (nul == None) {
                EXPECT_EQ(text.View().data(), place) << "copied for its last break";
            }
        }
    }
}

TEST(FileReader, EmptyFilesSystemFilesAndEndlessDevicesAreRead)
{
    TempFolder folder;
    EXPECT_EQ(FileReader::ReadFile(folder.Write("empty", "")).bytes, "");
    // /proc reports no size: read to its end, and no change for that.
    EXPECT_NE(FileReader::ReadFile("/proc/self/status").bytes.find("Name:"), std::string::npos);
    const FileReader::Read zeros = FileReader::ReadFile("/dev/zero", {NulEnd::Byte});
    EXPECT_EQ(zeros.bytes, "");
    EXPECT_EQ(zeros.nulAt, std::optional<std::size_t>(0));
    EXPECT_THROW(FileReader::ReadFile(folder.Path()), Exception);
    EXPECT_THROW(FileReader::ReadFile(folder.File("missing")), Exception);
}

// A file cut short or lengthened by another program between its opening and its reading is
// reported, never half read and never a crash; a text that ends before the change is whole.
TEST(FileReader, AFileThatChangesSizeWhileItIsReadIsReported)
{
    TempFolder folder;
    const std::size_t size = 3 * Piece;
    struct Row
    {
        const char* fact;
        std::size_t nulAt; // None: no NUL
        std::function<void(const std::string&)> change;
        bool reported;
    };
    const auto cutTo = [](off_t length) {
        return
            [length](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), length), 0); };
    };
    const Row rows[] = {
        {"cut to nothing", None, cutTo(0), true},
        {"cut inside the first piece", None, cutTo(1000), true},
        {"cut inside a later piece", None, cutTo(FirstPiece + Piece / 2), true},
        {"lengthened", None,
         [](const std::string& path) { std::ofstream(path, std::ios::app) << "more"; }, true},
        {"left alone", None, [](const std::string&) {}, false},
        {"cut after its text's NUL", 10, cutTo(1000), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fact);
        std::string bytes(size, 'a');
        if (row.nulAt != None)
            bytes[row.nulAt] = '\0';
        const std::string path = folder.Write("text", bytes);
        std::string told;
        const auto opened = [&](const std::string& name) {
            told = name;
            row.change(name);
        };
        if (row.reported) {
            try {
                FileReader::ReadFile(path, {NulEnd::Byte}, opened);
                ADD_FAILURE() << "not reported";
            } catch (const EFileChanged& changed) {
                EXPECT_EQ(std::string(changed.what()), path + ": " + EFileChanged::Reason);
            }
        } else {
            EXPECT_TRUE(FileReader::ReadFile(path, {NulEnd::Byte}, opened).bytes ==
                        bytes.substr(0, row.nulAt));
        }
        EXPECT_EQ(told, path);
    }
}

// A large file whose text a NUL ends early takes room for its text, not for the file.
TEST(FileReader, ATextThatEndsEarlyTakesRoomForItselfAlone)
{
    TempFolder folder;
    const std::string path = folder.Write("sparse", "abcdef");
    ASSERT_EQ(::truncate(path.c_str(), off_t{1} << 30), 0);
    const FileReader::Read read = FileReader::ReadFile(path, {NulEnd::ByMark});
    EXPECT_EQ(read.bytes, "abcdef");
    EXPECT_EQ(read.nulAt, std::optional<std::size_t>(6));
    EXPECT_LT(read.bytes.capacity(), 2 * Piece);
}

} // namespace
