// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader of a file's bytes, for every reader of the program: the window, the companion,
// the PDF export, the settings and the recovery files. It reads with read(), never through a
// mapping: another program may cut a file short while it is read, and a mapped page past the new
// end would end the program. A text is read in pieces and only up to its first NUL character,
// which ends it, so that a large file of zeros costs one piece.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace FileReader {

// Where the text of a file ends.
enum class NulEnd
{
    None,  // nowhere: the whole file is read
    Byte,  // at its first NUL byte
    Unit,  // at its first NUL unit of UTF-16: two zero bytes at an even offset
    ByMark // at a NUL unit in a file that begins with a UTF-16 byte-order mark, else at a NUL byte
};

struct Rule
{
    NulEnd nul = NulEnd::None;
    bool standardInput = false; // "-" is standard input
};

struct Read
{
    // The file's bytes up to its NUL character (without it), with room for two more after them:
    // a text takes the CR LF of its last line in place.
    std::string bytes;
    // The offset in the file of the NUL character that ended the text; none when the file ended.
    std::optional<std::size_t> nulAt;
};

// Told the path once the file is open, before its first byte is read: a test changes the file
// at that moment.
using Opened = std::function<void(const std::string& path)>;

// Reads the file at `path` (not a folder) by `rule`. Throws Exception("ﾌｧｲﾙ %s は開けません")
// when it cannot, and EFileChanged when a regular file's size moved while it was read to its end
// (it shrank or grew meanwhile).
Read ReadFile(const std::string& path, Rule rule = {}, const Opened& opened = {});

} // namespace FileReader
