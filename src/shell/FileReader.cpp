// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileReader.h"

#include "Exceptions.h"
#include "FileHandle.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileReader {

namespace {

// The first piece is small, so that a text that ends early costs little; the room for the whole
// file is taken only once the first piece shows that the text goes on.
constexpr std::size_t FirstPiece = std::size_t{64} << 10;
constexpr std::size_t Piece = std::size_t{1} << 20;
constexpr std::size_t Spare = 2; // a last CR LF

// Where the first NUL character of `bytes` begins, looking from `from` on; npos when none.
std::size_t FindNul(std::string_view bytes, std::size_t from, bool units) noexcept
{
    if (!units)
        return bytes.find('\0', from);
    for (std::size_t at = from & ~std::size_t{1}; at + 1 < bytes.size(); at += 2)
        if (bytes[at] == 0 && bytes[at + 1] == 0)
            return at;
    return std::string_view::npos;
}

bool Units(NulEnd nul, std::string_view bytes) noexcept
{
    return nul == NulEnd::Unit || (nul == NulEnd::ByMark && (bytes.starts_with("\xFF\xFE") ||
                                                             bytes.starts_with("\xFE\xFF")));
}

// Up to `count` bytes at `to`; 0 at the end of the file, -1 on an error.
ssize_t ReadSome(int fd, char* to, std::size_t count) noexcept
{
    for (;;) {
        const ssize_t got = ::read(fd, to, count);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// The size and the last change of a file: what moves when another program writes it.
bool SameStamp(const struct stat& a, const struct stat& b) noexcept
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Room for the whole file, when the system has it; else the text grows as it is read, and only
// a text that does not fit fails.
void TryToReserve(std::string& bytes, std::size_t size)
{
    try {
        bytes.reserve(size + Spare);
    } catch (const std::bad_alloc&) {
    }
}

// A text that a NUL ended far before the file's end gives back the room taken for the rest.
void FitRoom(std::string& bytes)
{
    if (bytes.capacity() - bytes.size() <= Piece)
        return;
    std::string fitted;
    fitted.reserve(bytes.size() + Spare);
    fitted.assign(bytes);
    bytes.swap(fitted);
}

} // namespace

Read ReadFile(const std::string& path, Rule rule, const Opened& opened)
{
    const auto fail = [&path]() { return Exception("ﾌｧｲﾙ " + path + " は開けません"); };
    const bool standardInput = rule.standardInput && path == "-";
    FileHandle file(standardInput ? ::dup(STDIN_FILENO)
                                  : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat atOpen
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &atOpen) != 0 || S_ISDIR(atOpen.st_mode))
        throw fail();
    if (opened)
        opened(path);
    // Pipes, devices and /proc report no size: they are read until they end.
    const bool regular = S_ISREG(atOpen.st_mode);
    const std::size_t size =
        regular ? static_cast<std::size_t>(std::max<off_t>(atOpen.st_size, 0)) : 0;
    const auto moved = [&]() {
        struct stat now
        {
        };
        return regular && (::fstat(file.Get(), &now) != 0 || !SameStamp(atOpen, now));
    };
    Read read;
    std::string& bytes = read.bytes;
    bytes.reserve(std::min(size, FirstPiece) + Spare);
    bool roomTaken = false;
    for (;;) {
        const std::size_t used = bytes.size();
        if (used > 0 && size > used && !std::exchange(roomTaken, true))
            TryToReserve(bytes, size);
        if (size > 0 && used == size) {
            // The size the file had is read: one byte more says whether it ends there.
            char more = 0;
            const ssize_t got = ReadSome(file.Get(), &more, 1);
            if (got < 0)
                throw fail();
            if (got == 0)
                break;
            if (moved())
                throw EFileChanged(path);
            bytes.push_back(more);
            continue;
        }
        std::size_t want = used == 0 ? FirstPiece : Piece;
        if (size > used)
            want = std::min(want, size - used);
        bytes.resize(used + want);
        const ssize_t got = ReadSome(file.Get(), bytes.data() + used, want);
        if (got < 0)
            throw fail();
        bytes.resize(used + static_cast<std::size_t>(got));
        if (got == 0)
            break;
        if (rule.nul == NulEnd::None)
            continue;
        const std::size_t nul = FindNul(bytes, used > 0 ? used - 1 : 0, Units(rule.nul, bytes));
        if (nul != std::string::npos) {
            read.nulAt = nul;
            bytes.resize(nul);
            FitRoom(bytes);
            return read;
        }
    }
    // A file that ends before or after the size it had when opened changed meanwhile. A file
    // that reports a size it does not hold (some system files) keeps its stamp.
    if (regular && bytes.size() != size && moved())
        throw EFileChanged(path);
    return read;
}

} // namespace FileReader
