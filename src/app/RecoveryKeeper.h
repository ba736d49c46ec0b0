// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a recovery file for every document with unsaved changes, so that a window that ends
// without saving (a crash, a power cut, a logout) loses at most the last second of typing: an edit
// is written within `Latest` of being made, however the writer types on, from a timer and never on
// the typing path. The window only copies the text; the file is made and
// written by a second thread, so that a long novel does not hold the window. Saving a document or
// closing it deliberately removes its file; a normal exit removes them all.

#include "controls/TextSnapshot.h"
#include "documents/RecoveryFile.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class Document;
class DocumentTabs;
class EditorDocument;
class QTimer;

class RecoveryKeeper : public QObject
{
    Q_OBJECT

public:
    // An edit is in its file this long after it was made, at the latest: the copy and the write
    // that follow take the rest of the second.
    static constexpr std::chrono::milliseconds Latest{800};
    // The delay of the keepers made from now on (tests shorten it, so that they wait less).
    static void SetLatestForNewKeepers(std::chrono::milliseconds latest);

    // What the window knows of the document of a tab besides its text (the file's stamp, the
    // writing not yet logged), put into its record as its text is copied.
    using Describer = std::function<void(int index, RecoveryRecord& record)>;

    // `notice` shows a line in the status bar when the files cannot be written.
    RecoveryKeeper(DocumentTabs& tabs, std::function<void(const QString&)> notice,
                   Describer describe, QObject* parent);
    ~RecoveryKeeper() override;

    // Each tab's text, as its editor is made.
    void Follow(EditorDocument* text);
    // A text restored from another window's file, which this window took over under `path`.
    void Adopt(EditorDocument* text, std::string path);
    // A file name of this window for a document to come.
    std::string NewFileName();
    // The writer closed the document having answered the save question.
    void Forget(const Document* document);
    // The window closes normally.
    void ForgetAll();
    // Writes the files of the changed documents: their texts are copied a slice at a time, then
    // written by another thread (the timers call it).
    void WriteChanged();
    // Waits until the file being written is in place.
    void Finish();
    // The delay of this keeper from its next edit on.
    void SetLatest(std::chrono::milliseconds latest);
    // What writes a file (RecoveryFolder::Write; tests make it fail).
    using Writer = std::function<void(const std::string& path, std::string_view bytes)>;
    void SetWriter(Writer write);

private:
    struct Entry
    {
        std::string path; // empty until first needed
        std::int64_t changedAt = 0;
        bool dirty = false;
    };
    struct Job
    {
        const EditorDocument* text;
        std::string path;
        RecoveryRecord record; // all but the text, which comes from the snapshot
        TextSnapshot snapshot;
    };
    struct Result
    {
        const EditorDocument* text;
        std::string path;
    };

    void Edited(const EditorDocument* text, int position);
    void MarkChanged(const EditorDocument* text);
    void CopyTurn();
    void StartWriting();
    void Saved(const EditorDocument* text);
    Job Snapshot(int index, const Entry& entry) const;
    void Written(const std::vector<Result>& written, bool failed);

    DocumentTabs& FTabs;
    std::function<void(const QString&)> FNotice;
    Describer FDescribe;
    Writer FWrite; // called on the writing thread
    std::int64_t FWindow;
    std::int64_t FNextDocument = 0;
    QTimer* FLatest;           // started by the first edit not yet written
    QTimer* FCopy;             // a slice of the texts' copy at each turn of the event loop
    std::vector<Job> FCopying; // the first is being copied
    std::vector<Job> FCopied;
    std::map<const EditorDocument*, Entry> FEntries;
    std::future<void> FWriting;
    bool FWriteAgain = false;
    bool FNoticeShown = false;
    bool FClosed = false;
};
