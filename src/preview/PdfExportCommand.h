// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `kotonami --export-pdf OUT.pdf [--horizontal] [--settings PATH] FILE`: the manuscript sheets
// of FILE as a PDF, without a window and without a display, for scripts.

#include "shell/FileReader.h"

#include <string>
#include <vector>

// True when the command line asks for the export (the first argument is --export-pdf).
bool IsPdfExportCommand(int argc, char** argv);

// Runs the export and returns the exit status: 0 written, 1 FILE unreadable or OUT not written
// (with a message on standard error), 2 a usage error.
int RunPdfExportCommand(int argc, char** argv);

// The export itself, once an application object exists: `arguments` as the command line's after
// the program's name. `opened` as FileReader::ReadFile's, for FILE.
int ExportPdf(const std::vector<std::string>& arguments, const FileReader::Opened& opened = {});
