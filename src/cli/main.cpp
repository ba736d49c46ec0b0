// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// kotonami-count: the counting engine of the editor for scripts and terminals.

#include "CliLog.h"
#include "CliOptions.h"
#include "CliRun.h"

#include "shell/Exceptions.h"
#include "shell/Version.h"
#include "shell/WritingLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

int UsageFailure(const char* message)
{
    std::fprintf(stderr, "kotonami-count: %s\n%s", message, CliUsage);
    return 2;
}

// The exit status once standard output is complete: a write that failed on the way (a full disk,
// a closed pipe) leaves the error flag, and the last bytes fail at the flush or the close; then
// the status is 1, with a message.
int Finish(int status)
{
    errno = 0;
    bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    int error = errno;
    if (std::fclose(stdout) != 0) {
        written = false;
        error = error != 0 ? error : errno;
    }
    if (written)
        return status;
    std::fprintf(stderr, "kotonami-count: standard output: %s\n",
                 error != 0 ? std::strerror(error) : "write error");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CliOptions options;
    CliSettings settings;
    try {
        options = ParseCliOptions(arguments);
        if (options.help || options.version) {
            std::fputs(options.help ? CliUsage : "kotonami-count " KOTONAMI_VERSION "\n", stdout);
            return Finish(0);
        }
        if (options.log)
            return Finish(PrintWritingLog(options, WritingLog::DefaultPath(), std::time(nullptr),
                                          stdout, stderr));
        settings = LoadCliSettings(options);
        if (settings.invalidHeadingPattern)
            std::fputs("kotonami-count: the heading pattern of the settings file is not a valid "
                       "regular expression; it is ignored\n",
                       stderr);
    } catch (const UsageError& e) {
        return UsageFailure(e.what());
    } catch (const Exception& e) {
        return UsageFailure(e.what());
    }
    return Finish(CountFiles(options, settings, stdout, stderr));
}
