// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsefulFunc.h"

#include "Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <glob.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace UsefulFunc {

namespace {

// Closes a file descriptor on every path.
class FileHandle
{
public:
    explicit FileHandle(int fd) noexcept : FFd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    int Get() const noexcept { return FFd; }
    bool IsOpen() const noexcept { return FFd >= 0; }
    // Returns false when closing reported an error (a late write failure on some file systems).
    bool Close() noexcept
    {
        if (FFd < 0)
            return true;
        const int result = ::close(FFd);
        FFd = -1;
        return result == 0;
    }

private:
    int FFd;
};

constexpr std::string_view SavePrefix = ".kotonami-save-";

// Taken while the program loads: what is older was left by an earlier process.
const std::time_t ProcessStart = std::time(nullptr);

bool HasWildcard(std::string_view name) noexcept
{
    return name.find_first_of("*?[") != std::string_view::npos;
}

// The folder part of a path as the temporary file's place: everything up to the last "/".
std::string FolderPart(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is saved through: the file it points at is replaced, the link stays.
std::string ResolveSaveTarget(const std::string& path)
{
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

mode_t CurrentUmask() noexcept
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The new file gets the old file's permissions (and owner, where allowed); a new file gets the
// permissions an ordinary create would give it.
void CopyPermissions(int fd, const std::string& target)
{
    struct stat info
    {
    };
    if (::stat(target.c_str(), &info) == 0) {
        ::fchmod(fd, info.st_mode & 07777);
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            // Only a privileged process may give the file away; the caller's ownership is fine.
        }
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }
}

bool WriteAll(int fd, std::string_view bytes) noexcept
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The target must be a file we may replace: not a folder, and writable when it exists.
bool CanReplace(const std::string& target)
{
    struct stat info
    {
    };
    if (::stat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    return !S_ISDIR(info.st_mode) && ::access(target.c_str(), W_OK) == 0;
}

// A FIFO or a device: what is written goes to its reader, and the node itself must stay.
bool IsSpecialFile(const std::string& target) noexcept
{
    struct stat info
    {
    };
    return ::stat(target.c_str(), &info) == 0 &&
           (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode));
}

// Writes into a FIFO or device as it is. A FIFO without a reader is refused at once rather than
// waited on.
void WriteThrough(const std::string& target, std::string_view bytes)
{
    FileHandle file(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen())
        throw EFile("Couldn't open file.");
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw EFile("Couldn't open file.");
    if (!WriteAll(file.Get(), bytes) || !file.Close())
        throw EFile("Couldn't write to file.");
}

void SyncFolder(const std::string& folder) noexcept
{
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen())
        ::fsync(dir.Get());
}

} // namespace

std::string ExactPathName(std::string_view name)
{
    std::string path(name);
    struct stat info
    {
    };
    if (path.empty() || ::stat(path.c_str(), &info) == 0 || !HasWildcard(path))
        return path;
    glob_t matches{};
    std::string result = path;
    if (::glob(path.c_str(), GLOB_NOESCAPE, nullptr, &matches) == 0 && matches.gl_pathc > 0)
        result = matches.gl_pathv[0];
    ::globfree(&matches);
    return result;
}

bool IsFileReadable(std::string_view name)
{
    if (name.empty())
        return false;
    const std::string path(name);
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info
    {
    };
    // Only regular files: a pipe without a writer or a device such as /dev/zero would hold the
    // window forever while it reads.
    return file.IsOpen() && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) noexcept
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return !a.empty() && !b.empty() && ::stat(a.c_str(), &first) == 0 &&
           ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string FileNamePart(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

namespace {

// Where the first NUL character of `bytes` ends, looking from `from` on: after a NUL byte, or in
// UTF-16 after a NUL unit (two zero bytes at an even offset); npos when there is none.
std::size_t NulEnd(std::string_view bytes, std::size_t from, bool utf16) noexcept
{
    if (!utf16) {
        const std::size_t at = bytes.find('\0', from);
        return at == std::string_view::npos ? at : at + 1;
    }
    for (std::size_t at = from & ~std::size_t{1}; at + 1 < bytes.size(); at += 2)
        if (bytes[at] == 0 && bytes[at + 1] == 0)
            return at + 2;
    return std::string_view::npos;
}

bool StartsWithUtf16Mark(std::string_view bytes) noexcept
{
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

struct ReadRule
{
    bool standardInput = false; // "-" is standard input
    bool toNul = false;         // stop after the first NUL character
    bool utf16 = false;         // a NUL character is a NUL unit even without a byte-order mark
};

// The file is read into a string of its reported size and one spare piece; what comes after that
// (pipes and /proc report no size, a file may grow) grows it, so that the text is never copied
// into a doubled string.
std::string ReadBytes(const std::string& path, ReadRule rule)
{
    const auto fail = [&path]() { return Exception("ﾌｧｲﾙ " + path + " は開けません"); };
    const bool standardInput = rule.standardInput && path == "-";
    FileHandle file(standardInput ? ::dup(STDIN_FILENO)
                                  : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || S_ISDIR(info.st_mode))
        throw fail();
    constexpr std::size_t Piece = 65536;
    std::string bytes;
    // Two bytes to spare: a text gets the CR LF of its last line in place.
    bytes.resize(S_ISREG(info.st_mode) && info.st_size > 0
                     ? static_cast<std::size_t>(info.st_size) + 2
                     : Piece);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(used + Piece);
        const ssize_t got = ::read(file.Get(), bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw fail();
        if (got == 0)
            break;
        const std::size_t from = used;
        used += static_cast<std::size_t>(got);
        if (!rule.toNul)
            continue;
        const std::string_view read(bytes.data(), used);
        const std::size_t end =
            NulEnd(read, from > 0 ? from - 1 : 0, rule.utf16 || StartsWithUtf16Mark(read));
        if (end != std::string_view::npos) {
            used = end;
            break;
        }
    }
    bytes.resize(used);
    return bytes;
}

} // namespace

std::string ReadFileBytes(const std::string& path)
{
    return ReadBytes(path, {});
}

std::string ReadTextBytes(const std::string& path, bool utf16)
{
    return ReadBytes(path, {true, true, utf16});
}

TextBytes MapTextBytes(const std::string& path, bool utf16)
{
    struct stat info
    {
    };
    // Only a regular file is opened here: opening a FIFO twice would lose what its writer sent.
    if (path != "-" && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.IsOpen() && ::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_size > 0) {
            TextBytes bytes = TextBytes::Map(file.Get(), static_cast<std::size_t>(info.st_size));
            if (bytes.IsMapped()) {
                const std::string_view text = bytes.View();
                const std::size_t end = NulEnd(text, 0, utf16 || StartsWithUtf16Mark(text));
                if (end != std::string_view::npos)
                    bytes.CutTo(end);
                return bytes;
            }
        }
    }
    // Standard input, pipes, devices, /proc and empty files report no size to map.
    return TextBytes(ReadTextBytes(path, utf16));
}

void WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::string target = ResolveSaveTarget(path);
    if (IsSpecialFile(target)) {
        WriteThrough(target, bytes);
        return;
    }
    if (target.empty() || !CanReplace(target))
        throw EFile("Couldn't open file.");
    const std::string folder = FolderPart(target);
    RemoveSaveLeftovers(target);
    std::string temporary = folder + '/' + std::string(SavePrefix) + "XXXXXX";
    FileHandle file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.IsOpen())
        throw EFile("Couldn't open file.");
    CopyPermissions(file.Get(), target);
    const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0 && file.Close() &&
                         ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        throw EFile("Couldn't write to file.");
    }
    SyncFolder(folder);
}

void RemoveSaveLeftovers(const std::string& file) noexcept
{
    const std::string folder = FolderPart(file);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!std::string_view(entry->d_name).starts_with(SavePrefix))
            continue;
        const std::string path = folder + '/' + entry->d_name;
        struct stat info
        {
        };
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < ProcessStart)
            ::unlink(path.c_str());
    }
}

void ReleaseFreeMemory() noexcept
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace UsefulFunc
