// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsefulFunc.h"

#include "Exceptions.h"
#include "FileHandle.h"
#include "FileReader.h"

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
    return UnreadableReason(name).empty();
}

std::string UnreadableReason(std::string_view name)
{
    const std::string path(name);
    FileHandle file(path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0) {
        switch (path.empty() ? ENOENT : errno) {
        case ENOENT:
        case ENOTDIR:
            return "見つかりません";
        case EACCES:
        case EPERM:
            return "読み取りの権限がないため開けません";
        default:
            return "開けません";
        }
    }
    if (S_ISDIR(info.st_mode))
        return "フォルダのため開けません";
    // Only regular files: a pipe without a writer or a device such as /dev/zero would hold the
    // window forever while it reads.
    if (!S_ISREG(info.st_mode))
        return "通常のファイルではないため開けません";
    return {};
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

std::string ReadFileBytes(const std::string& path)
{
    return FileReader::ReadFile(path).bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileAccess access)
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
    if (access == FileAccess::OwnerOnly)
        ::fchmod(file.Get(), S_IRUSR | S_IWUSR);
    else
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
