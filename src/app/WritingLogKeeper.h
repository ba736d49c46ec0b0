// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the writing log of every tab: each edit's characters added and removed go into the
// document's session as the edit happens (a lookup and a few sums, nothing written), and the
// session is written to the log when the document is saved or closed, when the window closes,
// and every five minutes while it is edited. A log that cannot be written gives one status-bar
// notice; the editor carries on and the next write tries again.

#include "app/EditFigures.h"
#include "shell/WritingLog.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

class Document;
class DocumentTabs;
class EditorDocument;
class QTextDocument;
class QTimer;

class WritingLogKeeper : public QObject
{
    Q_OBJECT

public:
    static constexpr int WriteEveryMilliseconds = 5 * 60 * 1000;

    // The document's characters under the counting switches in force.
    using Counter = std::function<std::int64_t(EditorDocument&)>;
    using Clock = std::function<std::int64_t()>; // seconds since the epoch

    WritingLogKeeper(DocumentTabs& tabs, Counter count, std::function<void(const QString&)> notice,
                     QObject* parent);

    // Each tab's text, as its editor is made.
    void Follow(EditorDocument* text);
    // The next edit of `text` is one edit block of many changes (every match replaced): what it
    // changed is `figures`, not the whole span between its first and last change that the text
    // tells. Its undo and redo are told the same way.
    void ExpectEdit(const QTextDocument* text, EditFigures figures);
    // The tab of `document` closes: its session is written and ends.
    void Close(const Document* document);
    // Writes every session with edits not yet written; `end` ends them too (the window closes).
    void WriteAll(bool end = false);
    // The session of `text` as it stands when the log has not yet been given all of it (its id
    // in the log, its start and tallies); nothing otherwise.
    std::optional<SessionRecord> Unwritten(const EditorDocument* text) const;
    // `text` restored after its window ended without closing: its session goes on from
    // `unwritten` (as Unwritten gave it there), and is written to the log now.
    void Resume(EditorDocument* text, const SessionRecord& unwritten);

    // The log, opened for writing when first needed. Throws Exception when it cannot be.
    WritingLog& Log();
    // The goal of the document at `path`; nothing, and no log made, while there is no log.
    std::optional<WritingGoal> GoalOf(const std::string& path);
    // Net characters written into `text` today: the log's and its session's not yet written.
    // Throws Exception as Log.
    std::int64_t WrittenToday(const EditorDocument* text);

    // Where the log is and what time it is: for tests and benchmarks.
    void SetLogPath(std::string path) { FLogPath = std::move(path); }
    void SetClock(Clock clock) { FNow = std::move(clock); }

signals:
    // A session went into the log.
    void Written();

private:
    // An edit of many changes as the text told it (where it began, the units it took away and
    // put in), with what it changed.
    struct ManyChanges
    {
        int position = 0;
        int removed = 0;
        int added = 0;
        EditFigures figures;
    };
    struct Entry
    {
        std::optional<WritingSession> session;
        SessionRecord record; // its id in the log once written
        int blocks = 0;       // the text's lines before the edit
        int characters = 0;   // and its characters, line breaks included
        int undoSteps = 0;    // the steps that undo could take before the edit
        bool unwritten = false;
        std::optional<EditFigures> expected; // for the edit now being made
        std::deque<ManyChanges> manyChanges; // the latest first, for their undo and redo
    };
    // The edits of many changes whose undo and redo are recognised.
    static constexpr std::size_t KeptManyChanges = 32;

    void Edited(EditorDocument* text, int position, int removed, int added);
    std::optional<EditFigures> ManyChangesFigures(Entry& entry, int position, int removed,
                                                  int added, bool undone);
    void Log(EditorDocument* text, Entry& entry, EditFigures figures);
    void Write(const EditorDocument* text, Entry& entry, bool end);
    std::string PathOf(const EditorDocument* text) const;
    void Notice(const QString& text);

    DocumentTabs& FTabs;
    Counter FCount;
    std::function<void(const QString&)> FNotice;
    Clock FNow;
    std::string FLogPath;
    std::optional<WritingLog> FLog;
    QTimer* FEvery;
    std::map<const EditorDocument*, Entry> FEntries;
    bool FNoticeShown = false;
};
