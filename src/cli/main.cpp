// kotonami-count: the counting engine of the editor for scripts and terminals.

#include "CliOptions.h"
#include "CliRun.h"

#include "shell/Exceptions.h"
#include "shell/Version.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int UsageFailure(const char* message)
{
    std::fprintf(stderr, "kotonami-count: %s\n%s", message, CliUsage);
    return 2;
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
            return 0;
        }
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
    bool failed = false;
    const std::vector<LoadedText> texts = LoadTexts(options, stderr, failed);
    const bool found = RunAnalyses(options, settings, texts, stdout);
    // A write that failed on the way leaves the stream's error mark even when the last flush works.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
        return 1;
    return failed || found ? 1 : 0;
}
