// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery file of a document with unsaved changes: what a new window needs to give the writer
// the text back after the window ended without saving (a crash, a power cut, a logout). A header
// line, the document's facts, the file bytes of the lines that keep them, then the editor's text
// itself in UTF-16, so that every character comes back as the writer left it (Shift-JIS gives some
// pairs of characters one code, and its counting form would bring back only one of each pair).
// Files of the first format, which held the counting form, and of the second, which knew neither
// the file's stamp nor the writing not yet logged, are still read.

#include "documents/FileStamp.h"
#include "documents/TextEncoding.h"
#include "shell/WritingSession.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Which window of which process keeps a recovery file: a process is known by its id and the
// moment it started (so that an id the system gives again later is another owner), a window by
// its number in the process.
struct RecoveryOwner
{
    std::int64_t process = 0;
    std::int64_t started = 0;
    std::int64_t window = 0;
    bool operator==(const RecoveryOwner&) const = default;
};

// The writing log's session of a document as it stood: what the log had not yet been given of it
// reaches the log when the text comes back, under the same session.
struct RecoveredSession
{
    std::int64_t id = 0; // in the log; 0 for one never written there
    std::int64_t started = 0;
    std::int64_t charactersAtStart = 0;
    std::map<std::string, DayTally> days; // by local day, "YYYY-MM-DD"
    bool operator==(const RecoveredSession&) const = default;
};

struct RecoveryRecord
{
    RecoveryOwner owner;
    std::int64_t changedAt = 0; // the last change, seconds since 1970 (UTC)
    std::string fileName;       // empty for a text never saved
    TextEncoding encoding = TextEncoding::ShiftJis;
    LineBreak lineBreak = LineBreak::CrLf;
    bool endsWithBreak = true;
    std::int64_t caret = 0; // the caret's place in the editor's characters
    // The file as the window last read or saved it, so that a change since shows when the text
    // comes back; nothing for a text never saved.
    std::optional<FileStamp> stamp;
    // The session's writing that the log has not yet been given; nothing when it had it all.
    std::optional<RecoveredSession> session;
    // The editor's lines joined by LF, exactly: its characters and byte escapes.
    std::u16string text;
    // The lines of a Shift-JIS text that keep their file's byte pairs: line number, bytes.
    std::vector<std::pair<std::int64_t, std::string>> kept;
    bool operator==(const RecoveryRecord&) const = default;
};

// The bytes of the file.
std::string FormatRecovery(const RecoveryRecord& record);
// The record a file holds; nothing for bytes that are not a whole recovery file.
std::optional<RecoveryRecord> ParseRecovery(std::string_view bytes);
