// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A save that failed, with the system's reason: the writer is told which file and why, in one
// wording for every save ("ﾌｧｲﾙ %s を作成できません（REASON）").

#include "shell/Exceptions.h"

#include <string>

class ESaveFailed : public EFile
{
public:
    // What the save was doing when the system refused it.
    enum class Step
    {
        Folder, // making the new file beside the old one
        File,   // opening the file itself
        Write   // writing, flushing or putting the new file in place
    };

    ESaveFailed(const std::string& path, int error, Step step);

    int Error() const noexcept { return FError; }
    Step Where() const noexcept { return FStep; }
    // The folder would take no new file for want of the right to write in it: the file itself
    // may still take the text in place.
    bool FolderRefused() const noexcept;

private:
    int FError;
    Step FStep;
};

// Why a save failed, in the writer's words: the usual reasons (no room, no right to write in the
// folder or the file, a folder missing, …) by name, any other by the system's own text.
std::string SaveFailureReason(int error, ESaveFailed::Step step);
