// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartOptions.h"

#include "CommandLine.h"

const char* const StartUsage = R"(kotonami [--new-window] [--settings PATH] [FILE...]
kotonami --export-pdf OUT.pdf [--horizontal] [--settings PATH] FILE
kotonami --export-pdf OUT.pdf --submission [--column N] [--line N] [--page-size A4|B5|B4|A5]
         [--portrait|--landscape] [--horizontal] [--title TEXT] [--author TEXT]
         [--settings PATH] FILE
Opens each FILE in a tab of its own. When a Kotonami window is already open for the same user and
settings file, the FILEs are opened in that window instead, and this start ends.
  --new-window         always start a window of its own
  --settings PATH      keep the settings in PATH instead of the program's own settings file
  --quit-after-start   open the window, print its title and its tabs, and end (for checks)
  --export-pdf OUT.pdf write the manuscript sheets of FILE to OUT.pdf, without a window
  --horizontal         (with --export-pdf) the text in horizontal lines, not vertical columns
  --submission         (with --export-pdf) plain pages as contests ask for them, no grid; the
                       settings file's submission settings, 40 x 30 on A4 by default
  --column N           (with --submission) N characters per line
  --line N             (with --submission) N lines per page
  --page-size SIZE     (with --submission) A4, B5, B4 or A5
  --portrait           (with --submission) the page upright
  --landscape          (with --submission) the page on its side (vertical writing's default)
  --title TEXT         (with --submission) the title, on a first page of its own unless the
                       settings put it on the first lines
  --author TEXT        (with --submission) the author's name, with the title
  --version            print the version and end
  --help               print this help and end
)";

namespace {

// The options of the PDF export, which a start of the window takes for no file.
bool IsExportOption(const std::string& argument)
{
    for (const char* option : {"--submission", "--horizontal", "--column", "--line", "--page-size",
                               "--portrait", "--landscape", "--title", "--author"})
        if (argument == option)
            return true;
    return false;
}

} // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& arguments)
{
    StartOptions options;
    std::vector<std::string> rest;
    bool onlyItems = false;
    for (auto next = arguments.begin(); next != arguments.end(); ++next) {
        const std::string& argument = *next;
        if (onlyItems)
            rest.push_back(argument);
        else if (argument == "--settings" && next + 1 == arguments.end())
            options.error = "--settings needs a PATH";
        else if (argument == "--settings")
            options.settingsPath = *++next;
        else if (argument == "--")
            onlyItems = true;
        else if (argument == "--new-window")
            options.newWindow = true;
        else if (argument == "--quit-after-start")
            options.quitAfterStart = true;
        else if (argument == "--version")
            options.version = true;
        else if (argument == "--help")
            options.help = true;
        else if (argument == "--export-pdf")
            options.error = "--export-pdf OUT.pdf comes first";
        else if (IsExportOption(argument))
            options.error = argument + " goes with --export-pdf OUT.pdf";
        else
            rest.push_back(argument);
    }
    options.items = SplitArguments(MakeArgumentString(rest));
    return options;
}

std::string AbsolutePath(const std::string& path, const std::string& folder)
{
    return path.empty() || path.starts_with('/') ? path : folder + "/" + path;
}

std::vector<std::string> AbsoluteItems(const std::vector<std::string>& items,
                                       const std::string& folder)
{
    std::vector<std::string> absolute;
    for (const std::string& item : items) {
        if (item.empty())
            continue;
        absolute.push_back(AbsolutePath(item, folder));
    }
    return absolute;
}
