// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader of a writer's files for the editor. Every way a file comes into a tab goes
// through here: opening, dropping, the history, the command line, the hand-over from a second
// start, reopening in another encoding and reloading after a change on disk. The companion and
// the PDF export, which count without showing, take the same encoding rule (ChooseEncoding) and
// the counting form of the same decoded text (ReadForCounting).

#include "documents/TextEncoding.h"

#include <optional>
#include <string>

struct FileReading
{
    TextEncoding encoding = TextEncoding::ShiftJis;
    bool notUtf8 = false; // began as UTF-8 but is not UTF-8 further on
    // How the file broke its lines, kept for saving it back.
    LineBreak lineBreak = LineBreak::CrLf;
    bool endsWithBreak = true;
    std::string shiftJis;   // a Shift-JIS file's bytes, cut into lines as they go in
    std::u16string decoded; // a file of another encoding, decoded, each line ending in LF
};

// Reads a file's bytes in the given encoding or, without one, in the one the bytes show.
FileReading ReadFileText(std::string bytes, std::optional<TextEncoding> given);

// Reads the file at `path` so. Throws Exception("ﾌｧｲﾙ %s は開けません") when it cannot be read.
FileReading ReadTextFile(const std::string& path, std::optional<TextEncoding> given);
