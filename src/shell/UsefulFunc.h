// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File-system helpers between a file name that came from outside and the opening of a document.

#include <string>
#include <string_view>
#include <sys/types.h>

namespace UsefulFunc {

// An existing path comes back unchanged; a path with wildcard characters (*, ?, [) becomes its
// first match in sorted order; a path that matches nothing comes back unchanged.
std::string ExactPathName(std::string_view name);

// True when the path is a regular file that opens for reading (not a folder, pipe or device).
bool IsFileReadable(std::string_view name);

// Why the path is not a file the editor can read, in the writer's words ("見つかりません",
// "読み取りの権限がないため開けません", …), to follow "ファイル NAME は"; "" when IsFileReadable.
std::string UnreadableReason(std::string_view name);

// True when both paths name one existing file (the same device and inode), however they are
// spelt: through links, relative parts or other names of the same file.
bool IsSameFile(const std::string& a, const std::string& b) noexcept;

// The file-name part of a path: what follows the last "/".
std::string FileNamePart(std::string_view path);

// Reads a whole file as bytes (FileReader::ReadFile); throws Exception("ﾌｧｲﾙ %s は開けません") when
// it cannot, EFileChanged when it changed size while it was read.
std::string ReadFileBytes(const std::string& path);

// Replaces the file with `bytes` atomically (temporary file in the same folder, then rename),
// keeping the old file's permissions; a new file gets the mode the umask leaves of 0666. Through
// a symbolic link, the file it points at. A FIFO or device is written into, never replaced (a FIFO
// without a reader is refused). A failure leaves the old file intact and throws ESaveFailed
// (SaveFailure.h) naming `path` and the reason. Safe to call from several threads at once.
// `OwnerOnly` gives the file to its owner alone, whatever the old one allowed (a draft of the
// writer's text that no one else may read).
enum class FileAccess
{
    AsBefore,
    OwnerOnly
};
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileAccess access = FileAccess::AsBefore);

// Writes `bytes` into the regular file at `path` itself, which keeps its identity (inode), its
// permissions and its links: the old bytes are overwritten, the file cut to the new length and
// flushed. Not atomic: a failure may leave the file part old, part new. Throws ESaveFailed.
void WriteFileInPlace(const std::string& path, std::string_view bytes);

// Removes the hidden temporary files that saves into the folder of `file` left when they were
// interrupted (the program killed in the middle): those made before this process started. A save
// running now in another window keeps its own.
void RemoveSaveLeftovers(const std::string& file) noexcept;

// Ids of the per-user folders the program may ask for; the values are the shell's classic ids.
enum SpecialFolder : int
{
    CSIDL_PROGRAMS = 2,
    CSIDL_PERSONAL = 5,
    CSIDL_STARTUP = 7,
    CSIDL_RECENT = 8,
    CSIDL_SENDTO = 9,
    CSIDL_STARTMENU = 11,
    CSIDL_DESKTOPDIRECTORY = 16,
    CSIDL_NETHOOD = 19,
    CSIDL_FONTS = 20,
    CSIDL_TEMPLATES = 21,
};

// The desktop's folder for `folderId`, or "" when this desktop has none. Send To is the file
// manager's per-user scripts folder ($XDG_DATA_HOME/nautilus/scripts), made when missing ("" when
// it cannot be made); the others are their XDG counterparts (user-dirs, applications, autostart,
// fonts).
std::string GetSpecialFolderPath(int folderId);

// An XDG base folder ("XDG_DATA_HOME"): the variable when it holds an absolute path, else
// `fallback` (".local/share") in the home folder ($HOME when absolute, else the account's); ""
// when there is no home folder at all, never a shared folder such as /tmp.
std::string XdgFolder(const char* variable, const char* fallback);

// Makes `folder` and the folders above it that are missing, each new one with `mode` (less the
// umask); true when it is a folder afterwards. Folders that exist keep their mode.
bool MakeFolders(const std::string& folder, mode_t mode);

// Makes `linkFile` a symbolic link to `target`, replacing one that exists: the new link is made
// beside it and renamed over it, so a failure leaves the old one. Throws Exception
// "Save in UsefulFunc::CreateShortcut" when the link cannot be written.
void CreateShortcut(const std::string& target, const std::string& linkFile);

// Hands the memory freed by a large piece of work back to the system, so that the program's
// resident size shows what it holds (the allocator keeps freed memory for later otherwise).
void ReleaseFreeMemory() noexcept;

} // namespace UsefulFunc
