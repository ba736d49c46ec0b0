// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running kotonami-count once its command line is understood: the settings, the files, the
// analyses and their output.

#include "CliOptions.h"

#include "analysis/Chapters.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCharacterSet.h"
#include "documents/TextEncoding.h"
#include "paper/TPaper.h"
#include "shell/FileReader.h"
#include "shell/TextBytes.h"

#include <cstdio>
#include <string>
#include <vector>

struct CliSettings
{
    CountOptions counting;
    TPaper paper;
    WordCharacterSet words;
    CheckSwitches check;
    HeadingRules headings;
    bool invalidHeadingPattern = false; // the settings file's pattern is ignored
};

// The settings file (--settings PATH, else the program's own one when it exists), then the
// options on top. Throws UsageError when --settings names a file that cannot be read.
CliSettings LoadCliSettings(const CliOptions& options);

struct LoadedText
{
    std::string name; // the FILE as given
    TextBytes text;   // Shift-JIS, as the editor holds it after opening
    TextEncoding encoding = TextEncoding::ShiftJis; // the FILE's own
    // The bytes of the FILE's text as the FILE holds them, up to a NUL that ends it: its size in
    // the reports, in its own encoding and with its own line breaks.
    std::int64_t size = 0;
};

// Every FILE that can be read, in order; each one that cannot (or that changed while it was read)
// is named on `errors` and left out. `failed` tells whether any was left out. `opened` as
// FileReader::ReadFile's, for each FILE.
std::vector<LoadedText> LoadTexts(const CliOptions& options, std::FILE* errors, bool& failed,
                                  const FileReader::Opened& opened = {});

// Runs the analyses in the order given and writes their texts to `out`. True when the manuscript
// check found something.
bool RunAnalyses(const CliOptions& options, const CliSettings& settings,
                 const std::vector<LoadedText>& texts, std::FILE* out);

// Reads the FILEs and runs the analyses: the exit status before standard output is closed, 1 when
// a FILE was left out, the manuscript check found something or memory ran out.
int CountFiles(const CliOptions& options, const CliSettings& settings, std::FILE* out,
               std::FILE* errors, const FileReader::Opened& opened = {});
