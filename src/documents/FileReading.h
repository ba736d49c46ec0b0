// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader of a writer's files for the editor. Every way a file comes into a tab goes
// through here: opening, dropping, the history, the command line, the hand-over from a second
// start, reopening in another encoding and reloading after a change on disk. The companion and
// the PDF export, which count without showing, read the same bytes (ReadTextBytes) and take the
// same encoding rule (ChooseEncoding) and the counting form of the same decoded text
// (ReadForCounting).

#include "documents/TextEncoding.h"
#include "shell/FileReader.h"

#include <cstddef>
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
    // The offset of the NUL that ended the text before the file's end: the bytes from there on
    // are not in the text.
    std::optional<std::size_t> nulAt;
};

// The bytes of the file at `path` that hold its text, for every reader: up to its first NUL
// character, which ends a text. That is a NUL unit in a UTF-16 text (one that begins with a
// UTF-16 byte-order mark when no encoding is given, or any given as UTF-16) and a NUL byte in any
// other, so that the encoding is chosen on the text's bytes alone. "-" is standard input when
// `standardInput`. Throws as FileReader::ReadFile.
FileReader::Read ReadTextBytes(const std::string& path, std::optional<TextEncoding> given,
                               bool standardInput = false, const FileReader::Opened& opened = {});

// Reads a file's bytes in the given encoding or, without one, in the one the bytes show.
FileReading ReadFileText(std::string bytes, std::optional<TextEncoding> given);

// Reads the text of the file at `path` (ReadTextBytes) so. Throws Exception("ﾌｧｲﾙ %s は開けません")
// when it cannot be read, EFileChanged when it changed while it was read, and what `opened`
// throws.
FileReading ReadTextFile(const std::string& path, std::optional<TextEncoding> given,
                         const FileReader::Opened& opened = {});
