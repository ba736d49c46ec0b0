// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UsefulFunc.h"

#include "Exceptions.h"
#include "FileHandle.h"
#include "FileReader.h"
#include "SaveFailure.h"

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
#include <random>
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

// The new file of a save, beside the old one, until it is renamed over it. An existing file's
// permissions (and owner, where allowed) go with the text; a new file is made with the ordinary
// mode of a new file, which the system narrows by the process's umask as it makes it, so the
// umask is never changed for a moment that another thread's file would share. An owner-only
// file is its owner's alone, whatever the old one allowed.
int MakeSaveFile(const std::string& path, const std::string& target, FileAccess access,
                 std::string& temporary)
{
    struct stat old
    {
    };
    const bool ownerOnly = access == FileAccess::OwnerOnly;
    const bool replaces = !ownerOnly && ::stat(target.c_str(), &old) == 0;
    const std::string folder = FolderPart(target);
    thread_local std::mt19937 random{std::random_device{}()};
    constexpr std::string_view Letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + '/' + std::string(SavePrefix);
        for (int i = 0; i < 6; ++i)
            temporary += Letters[random() % Letters.size()];
        const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                replaces || ownerOnly ? 0600 : 0666);
        if (file < 0) {
            if (errno == EEXIST)
                continue;
            throw ESaveFailed(path, errno, ESaveFailed::Step::Folder);
        }
        if (ownerOnly)
            ::fchmod(file, S_IRUSR | S_IWUSR);
        if (replaces) {
            ::fchmod(file, old.st_mode & 07777);
            if (::fchown(file, old.st_uid, old.st_gid) != 0) {
                // Only a privileged process may give the file away; the caller's ownership is
                // fine.
            }
        }
        return file;
    }
    throw ESaveFailed(path, EEXIST, ESaveFailed::Step::Folder);
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

// The target must be a file we may replace: not a folder, and writable when it exists. The
// right to write is the thread's own (effective) one, as the open of the file would see it.
void CheckReplaceable(const std::string& path, const std::string& target)
{
    struct stat info
    {
    };
    if (::stat(target.c_str(), &info) != 0) {
        if (errno != ENOENT)
            throw ESaveFailed(path, errno, ESaveFailed::Step::Folder);
        return;
    }
    if (S_ISDIR(info.st_mode))
        throw ESaveFailed(path, EISDIR, ESaveFailed::Step::File);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        throw ESaveFailed(path, errno, ESaveFailed::Step::File);
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
void WriteThrough(const std::string& path, const std::string& target, std::string_view bytes)
{
    FileHandle file(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen())
        throw ESaveFailed(path, errno, ESaveFailed::Step::File);
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw ESaveFailed(path, errno, ESaveFailed::Step::File);
    if (!WriteAll(file.Get(), bytes) || !file.Close())
        throw ESaveFailed(path, errno, ESaveFailed::Step::Write);
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
    if (path.empty())
        throw ESaveFailed(path, ENOENT, ESaveFailed::Step::Folder);
    const std::string target = ResolveSaveTarget(path);
    if (IsSpecialFile(target)) {
        WriteThrough(path, target, bytes);
        return;
    }
    CheckReplaceable(path, target);
    const std::string folder = FolderPart(target);
    RemoveSaveLeftovers(target);
    std::string temporary;
    FileHandle file(MakeSaveFile(path, target, access, temporary));
    const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0 && file.Close() &&
                         ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw ESaveFailed(path, error, ESaveFailed::Step::Write);
    }
    SyncFolder(folder);
}

void WriteFileInPlace(const std::string& path, std::string_view bytes)
{
    FileHandle file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!file.IsOpen())
        throw ESaveFailed(path, errno, ESaveFailed::Step::File);
    struct stat info
    {
    };
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw ESaveFailed(path, EINVAL, ESaveFailed::Step::File);
    // Written over the old bytes first and cut to length afterwards, so that a disk without room
    // for more fails before the file has lost its tail.
    const bool written = WriteAll(file.Get(), bytes) &&
                         ::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) == 0 &&
                         ::fsync(file.Get()) == 0 && file.Close();
    if (!written)
        throw ESaveFailed(path, errno, ESaveFailed::Step::Write);
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
