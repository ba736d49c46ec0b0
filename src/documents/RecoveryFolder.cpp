// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryFolder.h"

#include "shell/Exceptions.h"
#include "shell/UsefulFunc.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace RecoveryFolder {

namespace {

constexpr std::string_view Suffix = ".recovery";

std::set<std::int64_t>& OpenWindows()
{
    static std::set<std::int64_t> windows;
    return windows;
}

// What the system tells of a process: whether it is there, its state letter and the moment it
// started, in clock ticks since the system started (the 3rd and the 22nd fields of its stat line,
// after the command name in parentheses).
struct ProcessStatus
{
    bool found = false;
    char state = 0;
    std::int64_t started = 0; // 0 when the system does not tell
};

ProcessStatus StatusOf(std::int64_t process)
{
    std::ifstream in("/proc/" + std::to_string(process) + "/stat");
    const std::string line{std::istreambuf_iterator<char>(in), {}};
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size())
        return {};
    ProcessStatus status{true, line[close + 2], 0};
    std::size_t at = close + 2;
    for (int field = 3; field < 22 && at < line.size(); ++field) {
        at = line.find(' ', at);
        if (at == std::string::npos)
            return status;
        ++at;
    }
    if (at < line.size())
        status.started = std::strtoll(line.c_str() + at, nullptr, 10);
    return status;
}

// A process that has ended but that its parent has not yet waited for (a zombie) keeps its entry,
// and its start, until then: it runs no window.
bool HasEnded(char state)
{
    return state == 'Z' || state == 'X' || state == 'x';
}

// "<process>-<started>-<window>-<document>.recovery"
bool OwnerOfName(std::string_view name, RecoveryOwner& owner)
{
    if (name.size() <= Suffix.size() || !name.ends_with(Suffix))
        return false;
    long long values[4] = {};
    char rest = 0;
    const std::string stem(name.substr(0, name.size() - Suffix.size()));
    if (std::sscanf(stem.c_str(), "%lld-%lld-%lld-%lld%c", &values[0], &values[1], &values[2],
                    &values[3], &rest) != 4)
        return false;
    owner = {values[0], values[1], values[2]};
    return true;
}

} // namespace

std::string Path()
{
    // No home folder at all leaves no place for drafts: never a shared folder such as /tmp.
    const std::string base = UsefulFunc::XdgFolder("XDG_STATE_HOME", ".local/state");
    return base.empty() ? std::string() : base + "/kotonami/recovery";
}

RecoveryOwner OwnerOf(std::int64_t process, std::int64_t window)
{
    return {process, StatusOf(process).started, window};
}

RecoveryOwner ThisProcess(std::int64_t window)
{
    static const RecoveryOwner self = OwnerOf(::getpid(), 0);
    return {self.process, self.started, window};
}

void WindowOpened(std::int64_t window)
{
    OpenWindows().insert(window);
}

void WindowClosed(std::int64_t window)
{
    OpenWindows().erase(window);
}

bool IsRunning(const RecoveryOwner& owner)
{
    const RecoveryOwner self = ThisProcess(owner.window);
    if (owner.process == self.process && owner.started == self.started)
        return OpenWindows().count(owner.window) > 0;
    if (owner.process <= 0)
        return false;
    const ProcessStatus status = StatusOf(owner.process);
    if (status.found && HasEnded(status.state))
        return false;
    // Without the start times the id alone tells, as well as it can.
    if (owner.started == 0 || self.started == 0)
        return status.found || ::kill(static_cast<pid_t>(owner.process), 0) == 0 || errno == EPERM;
    return status.started == owner.started;
}

std::string FileFor(const RecoveryOwner& owner, std::int64_t document)
{
    return Path() + '/' + std::to_string(owner.process) + '-' + std::to_string(owner.started) +
           '-' + std::to_string(owner.window) + '-' + std::to_string(document) +
           std::string(Suffix);
}

std::vector<Orphan> Orphans()
{
    std::vector<Orphan> found;
    const std::string folder = Path();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir.get())) {
        RecoveryOwner owner;
        if (!OwnerOfName(entry->d_name, owner) || IsRunning(owner))
            continue;
        const std::string path = folder + '/' + entry->d_name;
        try {
            if (auto record = ParseRecovery(UsefulFunc::ReadFileBytes(path)))
                found.push_back({path, std::move(*record)});
        } catch (const Exception&) {
            // Gone meanwhile, or unreadable: nothing to offer.
        }
    }
    std::sort(found.begin(), found.end(), [](const Orphan& a, const Orphan& b) {
        return a.record.changedAt < b.record.changedAt;
    });
    return found;
}

void Write(const std::string& path, std::string_view bytes)
{
    const std::string folder = path.substr(0, path.rfind('/'));
    if (folder.empty() || !UsefulFunc::MakeFolders(folder, 0700))
        throw EFile("Couldn't open file.");
    UsefulFunc::WriteFileAtomically(path, bytes, UsefulFunc::FileAccess::OwnerOnly);
}

bool Claim(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::string& path) noexcept
{
    ::unlink(path.c_str());
}

} // namespace RecoveryFolder
