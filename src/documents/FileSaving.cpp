// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSaving.h"

#include "documents/RecoveryFolder.h"
#include "shell/FileReader.h"
#include "shell/SaveFailure.h"
#include "shell/UsefulFunc.h"

#include <atomic>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Where the old bytes of a file written in place wait: in the recovery folder, under a name of
// this process that no recovery file has.
std::string KeptCopyPath(const std::string& path)
{
    static std::atomic<unsigned> taken{0};
    return RecoveryFolder::Path() + "/before-save-" + std::to_string(::getpid()) + '-' +
           std::to_string(++taken) + '-' + UsefulFunc::FileNamePart(path);
}

// The text goes into the file itself once a copy of its old bytes is on disk; without the copy
// nothing is written, and the save fails for the folder's reason.
void SaveInPlace(const std::string& path, std::string_view bytes, const ESaveFailed& refused)
{
    std::string old;
    const std::string kept = KeptCopyPath(path);
    try {
        old = FileReader::ReadFile(path).bytes;
        RecoveryFolder::Write(kept, old);
    } catch (const Exception&) {
        throw refused;
    }
    try {
        UsefulFunc::WriteFileInPlace(path, bytes);
    } catch (const ESaveFailed& failed) {
        try {
            UsefulFunc::WriteFileInPlace(path, old);
        } catch (const ESaveFailed&) {
            throw EFile(std::string(failed.what()) + "。元の内容は " + kept + " にあります");
        }
        RecoveryFolder::Remove(kept);
        throw;
    }
    RecoveryFolder::Remove(kept);
}

} // namespace

void SaveTextFile(const std::string& path, std::string_view bytes)
{
    try {
        UsefulFunc::WriteFileAtomically(path, bytes);
    } catch (const ESaveFailed& failed) {
        if (!failed.FolderRefused() || !IsRegularFile(path))
            throw;
        SaveInPlace(path, bytes, failed);
    }
}
