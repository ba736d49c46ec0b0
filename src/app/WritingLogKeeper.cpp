// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritingLogKeeper.h"

#include "app/DocumentTabs.h"
#include "controls/EditorDocument.h"
#include "shell/Exceptions.h"

#include <QDateTime>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

// Beyond this many characters an edit's text is read at once rather than character by character.
constexpr int ReadOneByOne = 64;

struct Inserted
{
    std::int64_t characters = 0; // line breaks and the second halves of surrogate pairs left out
    std::int64_t breaks = 0;
};

Inserted ReadInserted(const QTextDocument& text, int position, int added)
{
    Inserted inserted;
    const auto take = [&inserted](QChar c) {
        if (c == QChar::ParagraphSeparator)
            ++inserted.breaks;
        else if (!c.isLowSurrogate())
            ++inserted.characters;
    };
    if (added <= ReadOneByOne) {
        for (int i = position; i < position + added; ++i)
            take(text.characterAt(i));
        return inserted;
    }
    QTextCursor range(const_cast<QTextDocument*>(&text));
    range.setPosition(position);
    range.setPosition(position + added, QTextCursor::KeepAnchor);
    for (const QChar c : range.selectedText())
        take(c);
    return inserted;
}

} // namespace

WritingLogKeeper::WritingLogKeeper(DocumentTabs& tabs, Counter count,
                                   std::function<void(const QString&)> notice, QObject* parent)
    : QObject(parent), FTabs(tabs), FCount(std::move(count)), FNotice(std::move(notice)),
      FNow([] { return QDateTime::currentSecsSinceEpoch(); }), FLogPath(WritingLog::DefaultPath()),
      FEvery(new QTimer(this))
{
    FEvery->setSingleShot(true);
    FEvery->setInterval(WriteEveryMilliseconds);
    connect(FEvery, &QTimer::timeout, this, [this] { WriteAll(); });
}

void WritingLogKeeper::Follow(EditorDocument* text)
{
    FEntries[text].blocks = text->blockCount();
    FEntries[text].characters = text->characterCount();
    FEntries[text].undoSteps = text->availableUndoSteps();
    connect(text, &QTextDocument::contentsChange, this,
            [this, text](int position, int removed, int added) {
                Edited(text, position, removed, added);
            });
    connect(text, &QTextDocument::modificationChanged, this, [this, text](bool modified) {
        if (!modified)
            Write(text, FEntries[text], false);
    });
    connect(text, &QObject::destroyed, this, [this, text] { FEntries.erase(text); });
}

void WritingLogKeeper::ExpectEdit(const QTextDocument* text, EditFigures figures)
{
    const auto found = FEntries.find(static_cast<const EditorDocument*>(text));
    if (found == FEntries.end())
        return;
    found->second.expected = figures;
    // The edit follows at once, or not at all (nothing was changed after all).
    QTimer::singleShot(0, this, [this, text] {
        if (const auto entry = FEntries.find(static_cast<const EditorDocument*>(text));
            entry != FEntries.end())
            entry->second.expected.reset();
    });
}

// The removed text is gone by now; the line breaks it held are told by the lines the text lost.
void WritingLogKeeper::Edited(EditorDocument* text, int position, int removed, int added)
{
    Entry& entry = FEntries[text];
    const int blocks = text->blockCount();
    const int before = std::exchange(entry.blocks, blocks);
    const int characters = text->characterCount();
    const int charactersBefore = std::exchange(entry.characters, characters);
    const int undoSteps = std::exchange(entry.undoSteps, text->availableUndoSteps());
    if (text->Loading() || (removed == 0 && added == 0))
        return;
    if (const auto figures =
            ManyChangesFigures(entry, position, removed, added, entry.undoSteps < undoSteps)) {
        Log(text, entry, *figures);
        return;
    }
    // An edit that reaches the end of the text (a text put in whole, or taken away whole) is told
    // with the break that always ends the last line among its removed characters, its added ones
    // or both; that break is neither. The added characters stop before it, and the removed ones
    // are what the text lost besides.
    added = std::max(0, std::min(added, characters - 1 - position));
    removed = std::max(0, added + charactersBefore - characters);
    const Inserted inserted = ReadInserted(*text, position, added);
    const std::int64_t removedBreaks = inserted.breaks - (blocks - before);
    const std::int64_t removedCharacters = std::max<std::int64_t>(0, removed - removedBreaks);
    Log(text, entry, {inserted.characters, removedCharacters});
}

// An edit of many changes is told by whoever makes it; the text tells its undo and redo as the
// same span with the units taken away and put in the other way round, or the same way.
std::optional<EditFigures> WritingLogKeeper::ManyChangesFigures(Entry& entry, int position,
                                                                int removed, int added, bool undone)
{
    if (const std::optional<EditFigures> expected = std::exchange(entry.expected, std::nullopt)) {
        entry.manyChanges.push_front({position, removed, added, *expected});
        if (entry.manyChanges.size() > KeptManyChanges)
            entry.manyChanges.pop_back();
        return expected;
    }
    for (const ManyChanges& made : entry.manyChanges) {
        if (made.position != position)
            continue;
        const bool asUndo = made.removed == added && made.added == removed;
        const bool asRedo = made.removed == removed && made.added == added;
        if (asUndo && (undone || !asRedo))
            return made.figures.Reversed();
        if (asRedo)
            return made.figures;
    }
    return std::nullopt;
}

void WritingLogKeeper::Log(EditorDocument* text, Entry& entry, EditFigures figures)
{
    if (figures.added == 0 && figures.removed == 0)
        return;
    const std::int64_t now = FNow();
    if (!entry.session) {
        // The count now less this edit's difference: the characters before the session.
        const std::int64_t count = FCount(*text) - figures.added + figures.removed;
        entry.session.emplace(now, std::max<std::int64_t>(0, count));
    }
    entry.session->Edit(now, figures.added, figures.removed);
    entry.unwritten = true;
    if (!FEvery->isActive())
        FEvery->start();
}

std::string WritingLogKeeper::PathOf(const EditorDocument* text) const
{
    const DocumentTabs& documents = FTabs;
    for (int i = 0; i < documents.Count(); ++i)
        if (FTabs.TextOf(i) == text)
            return documents.Item(i)->FileName;
    return {};
}

// An untitled document keeps its session until it has a file to be logged under.
void WritingLogKeeper::Write(const EditorDocument* text, Entry& entry, bool end)
{
    const std::string path = PathOf(text);
    if (entry.session && entry.unwritten && !path.empty()) {
        const std::int64_t now = FNow();
        entry.session->Settle(now);
        SessionRecord& record = entry.record;
        record.path = path;
        record.started = entry.session->Started();
        record.ended = now;
        record.charactersAtStart = entry.session->CharactersAtStart();
        record.charactersAtEnd = FCount(*const_cast<EditorDocument*>(text));
        record.days = entry.session->Days();
        try {
            Log().Write(record);
            entry.unwritten = false;
            emit Written();
        } catch (const Exception& error) {
            Notice(QStringLiteral(u"執筆の記録に書き込めません: %1")
                       .arg(QString::fromUtf8(error.what())));
        }
    }
    if (end && !entry.unwritten) {
        entry.session.reset();
        entry.record = {};
    }
}

void WritingLogKeeper::Close(const Document* document)
{
    const DocumentTabs& documents = FTabs;
    for (int i = 0; i < documents.Count(); ++i) {
        if (documents.Item(i) != document)
            continue;
        const EditorDocument* text = FTabs.TextOf(i);
        Write(text, FEntries[text], true);
        return;
    }
}

void WritingLogKeeper::WriteAll(bool end)
{
    for (auto& [text, entry] : FEntries)
        Write(text, entry, end);
    for (const auto& [text, entry] : FEntries) {
        if (entry.unwritten && !end) {
            FEvery->start();
            break;
        }
    }
}

std::optional<SessionRecord> WritingLogKeeper::Unwritten(const EditorDocument* text) const
{
    const auto found = FEntries.find(text);
    if (found == FEntries.end() || !found->second.session || !found->second.unwritten)
        return std::nullopt;
    WritingSession session = *found->second.session;
    session.Settle(FNow());
    SessionRecord record;
    record.id = found->second.record.id;
    record.started = session.Started();
    record.charactersAtStart = session.CharactersAtStart();
    record.days = session.Days();
    return record;
}

// Under the same id, the log's days of the session are replaced by the fuller ones: nothing is
// counted twice.
void WritingLogKeeper::Resume(EditorDocument* text, const SessionRecord& unwritten)
{
    Entry& entry = FEntries[text];
    entry.session.emplace(unwritten.started, unwritten.charactersAtStart, unwritten.days);
    entry.record.id = unwritten.id;
    entry.unwritten = true;
    Write(text, entry, false);
}

WritingLog& WritingLogKeeper::Log()
{
    if (!FLog) {
        std::string movedTo;
        try {
            FLog = WritingLog::OpenForWriting(FLogPath, &movedTo);
        } catch (const Exception& error) {
            throw Exception(FLogPath + ": " + error.what());
        }
        if (!movedTo.empty())
            Notice(QStringLiteral(u"壊れていた執筆の記録を %1 に移し、新しい記録を始めました")
                       .arg(QString::fromStdString(movedTo)));
    }
    return *FLog;
}

std::optional<WritingGoal> WritingLogKeeper::GoalOf(const std::string& path)
{
    std::error_code ignored;
    if (!FLog && !std::filesystem::exists(FLogPath, ignored))
        return std::nullopt;
    return Log().Goal(path);
}

std::int64_t WritingLogKeeper::WrittenToday(const EditorDocument* text)
{
    const std::string path = PathOf(text);
    const std::int64_t now = FNow();
    const std::string today = LocalDay(now);
    std::int64_t net = 0;
    std::int64_t session = 0;
    if (const auto found = FEntries.find(text); found != FEntries.end() && found->second.session) {
        const auto& days = found->second.session->Days();
        if (const auto day = days.find(today); day != days.end())
            net = day->second.added - day->second.removed;
        session = found->second.record.id;
    }
    return path.empty() ? net : net + Log().NetOn(path, today, session);
}

void WritingLogKeeper::Notice(const QString& text)
{
    if (std::exchange(FNoticeShown, true))
        return;
    FNotice(text);
}
