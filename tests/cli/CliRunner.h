// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a built program (kotonami-count, or kotonami for its export) as a writer's script would
// and collects what it printed.

#include "shell/TempFolder.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

struct CliResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` with the arguments, `input` on its standard input; its standard output goes to
// `outputTo` when given (and is not collected), else to a file that is.
inline CliResult RunProgram(const char* program, const TempFolder& folder,
                            const std::vector<std::string>& arguments,
                            const std::string& input = "", const std::string& outputTo = "")
{
    const std::string inPath = folder.Write(".stdin", input);
    const std::string outPath = outputTo.empty() ? folder.File(".stdout") : outputTo;
    const std::string errPath = folder.File(".stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    CliResult result;
    pid_t child = 0;
    if (posix_spawn(&child, program, &actions, nullptr, pointers.data(), environ) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (outputTo.empty())
        result.out = TempFolder::Read(outPath);
    result.err = TempFolder::Read(errPath);
    return result;
}

#ifdef KOTONAMI_COUNT_PATH
inline CliResult RunCli(const TempFolder& folder, const std::vector<std::string>& arguments,
                        const std::string& input = "")
{
    return RunProgram(KOTONAMI_COUNT_PATH, folder, arguments, input);
}
#endif
