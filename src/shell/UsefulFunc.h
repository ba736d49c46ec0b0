#pragma once
// File-system helpers between a file name that came from outside and the opening of a document.

#include <string>
#include <string_view>

namespace UsefulFunc {

// An existing path comes back unchanged; a path with wildcard characters (*, ?, [) becomes its
// first match in sorted order; a path that matches nothing comes back unchanged.
std::string ExactPathName(std::string_view name);

// True when the path is a regular file that opens for reading (not a folder, pipe or device).
bool IsFileReadable(std::string_view name);

// The file-name part of a path: what follows the last "/".
std::string FileNamePart(std::string_view path);

// Reads a whole file as bytes; throws Exception("ﾌｧｲﾙ %s は開けません") when it cannot.
std::string ReadFileBytes(const std::string& path);

// Replaces the file with `bytes` atomically (temporary file in the same folder, then rename),
// keeping the old file's permissions. A failure leaves the old file intact and throws EFile
// "Couldn't open file." or "Couldn't write to file.".
void WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace UsefulFunc
