// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the recovery files live ($XDG_STATE_HOME/kotonami/recovery, ~/.local/state when unset),
// whose they are, and which of them a window may offer: only those whose owner is no longer
// running, so that two windows never take each other's files.

#include "documents/RecoveryFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace RecoveryFolder {

std::string Path();

// A process as the owner of its window's files, with the start the system tells of it.
RecoveryOwner OwnerOf(std::int64_t process, std::int64_t window);
// This process as the owner of its window's files. The window counts itself as running from
// WindowOpened until WindowClosed, even when it ends without closing.
RecoveryOwner ThisProcess(std::int64_t window);
void WindowOpened(std::int64_t window);
void WindowClosed(std::int64_t window);
bool IsRunning(const RecoveryOwner& owner);

// The file of one document of a window; the owner is part of the name.
std::string FileFor(const RecoveryOwner& owner, std::int64_t document);

struct Orphan
{
    std::string path;
    RecoveryRecord record;
};
// The readable recovery files whose owner is no longer running, the oldest change first.
std::vector<Orphan> Orphans();

// Writes a file atomically, readable by its owner alone, making the folder (likewise the owner's
// alone) when it is missing; throws EFile.
void Write(const std::string& path, std::string_view bytes);
// Takes another owner's file under a name of this window's: false when another window took it
// first or it is gone.
bool Claim(const std::string& from, const std::string& to);
void Remove(const std::string& path) noexcept;

} // namespace RecoveryFolder
