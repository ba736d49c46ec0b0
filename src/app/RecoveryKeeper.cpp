// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryKeeper.h"

#include "app/DocumentTabs.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"
#include "documents/RecoveryFolder.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace {

std::int64_t NewWindowNumber()
{
    static std::int64_t last = 0;
    return ++last;
}

std::chrono::milliseconds& LatestForNewKeepers()
{
    static std::chrono::milliseconds latest = RecoveryKeeper::Latest;
    return latest;
}

std::int64_t Now()
{
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace

RecoveryKeeper::RecoveryKeeper(DocumentTabs& tabs, std::function<void(const QString&)> notice,
                               Describer describe, QObject* parent)
    : QObject(parent), FTabs(tabs), FNotice(std::move(notice)), FDescribe(std::move(describe)),
      FWrite(RecoveryFolder::Write), FWindow(NewWindowNumber()), FLatest(new QTimer(this)),
      FCopy(new QTimer(this))
{
    RecoveryFolder::WindowOpened(FWindow);
    FLatest->setSingleShot(true);
    FLatest->setInterval(LatestForNewKeepers());
    connect(FLatest, &QTimer::timeout, this, &RecoveryKeeper::WriteChanged);
    FCopy->setInterval(0);
    connect(FCopy, &QTimer::timeout, this, &RecoveryKeeper::CopyTurn);
}

// The files stay: a window destroyed without closing is one that crashed.
RecoveryKeeper::~RecoveryKeeper()
{
    Finish();
    RecoveryFolder::WindowClosed(FWindow);
}

void RecoveryKeeper::SetLatestForNewKeepers(std::chrono::milliseconds latest)
{
    LatestForNewKeepers() = latest;
}

void RecoveryKeeper::SetLatest(std::chrono::milliseconds latest)
{
    FLatest->setInterval(latest);
}

void RecoveryKeeper::SetWriter(Writer write)
{
    Finish();
    FWrite = std::move(write);
}

void RecoveryKeeper::Follow(EditorDocument* text)
{
    connect(text, &QTextDocument::contentsChange, this,
            [this, text](int position) { Edited(text, position); });
    // A text marked modified without an edit (a rewrite put into a new tab, a file deleted on
    // disk) needs its file as much as an edited one.
    connect(text, &QTextDocument::modificationChanged, this, [this, text](bool modified) {
        if (modified)
            MarkChanged(text);
        else
            Saved(text);
    });
    connect(text, &QObject::destroyed, this, [this, text] {
        FEntries.erase(text);
        std::erase_if(FCopying, [text](const Job& job) { return job.text == text; });
    });
}

void RecoveryKeeper::Adopt(EditorDocument* text, std::string path)
{
    Entry& entry = FEntries[text];
    entry.path = std::move(path);
    // Written again soon, under this window's name inside too.
    Edited(text, 0);
}

std::string RecoveryKeeper::NewFileName()
{
    return RecoveryFolder::FileFor(RecoveryFolder::ThisProcess(FWindow), ++FNextDocument);
}

// Per key: a lookup and a look at the timer. The timer runs from the first edit not yet written,
// never restarted by the next keys, so that typing on cannot put the write off.
void RecoveryKeeper::Edited(const EditorDocument* text, int position)
{
    if (FClosed)
        return;
    for (Job& job : FCopying)
        if (job.text == text)
            job.snapshot.Changed(*text, position);
    MarkChanged(text);
}

void RecoveryKeeper::MarkChanged(const EditorDocument* text)
{
    if (FClosed)
        return;
    Entry& entry = FEntries[text];
    entry.dirty = true;
    entry.changedAt = Now();
    if (!FLatest->isActive())
        FLatest->start();
}

// The text now matches its file (saved, or read again): its recovery file goes.
void RecoveryKeeper::Saved(const EditorDocument* text)
{
    const auto found = FEntries.find(text);
    if (found == FEntries.end())
        return;
    found->second.dirty = false;
    if (!found->second.path.empty())
        RecoveryFolder::Remove(found->second.path);
}

void RecoveryKeeper::Forget(const Document* document)
{
    const DocumentTabs& documents = FTabs;
    for (int i = 0; i < documents.Count(); ++i) {
        if (documents.Item(i) != document)
            continue;
        const auto found = FEntries.find(FTabs.TextOf(i));
        if (found == FEntries.end())
            return;
        if (!found->second.path.empty())
            RecoveryFolder::Remove(found->second.path);
        FEntries.erase(found);
        return;
    }
}

void RecoveryKeeper::ForgetAll()
{
    FClosed = true;
    FLatest->stop();
    FCopy->stop();
    FCopying.clear();
    Finish();
    for (const auto& [text, entry] : FEntries)
        if (!entry.path.empty())
            RecoveryFolder::Remove(entry.path);
    FEntries.clear();
}

void RecoveryKeeper::Finish()
{
    if (FWriting.valid())
        FWriting.wait();
}

void RecoveryKeeper::WriteChanged()
{
    FLatest->stop();
    if (FClosed)
        return;
    if (FCopy->isActive() || (FWriting.valid() && FWriting.wait_for(std::chrono::seconds(0)) !=
                                                      std::future_status::ready)) {
        FWriteAgain = true;
        return;
    }
    for (int i = 0; i < FTabs.Count(); ++i) {
        const auto found = FEntries.find(FTabs.TextOf(i));
        if (found == FEntries.end() || !found->second.dirty)
            continue;
        Entry& entry = found->second;
        entry.dirty = false;
        if (!FTabs.Item(i)->IsModified())
            continue;
        if (entry.path.empty())
            entry.path = NewFileName();
        FCopying.push_back(Snapshot(i, entry));
    }
    if (!FCopying.empty())
        FCopy->start();
}

// A slice of a few milliseconds, so that keys and drawing go on between the slices.
void RecoveryKeeper::CopyTurn()
{
    constexpr std::chrono::microseconds Slice(4000);
    if (!FCopying.empty() && FCopying.front().snapshot.CopyMore(*FCopying.front().text, Slice)) {
        FCopied.push_back(std::move(FCopying.front()));
        FCopying.erase(FCopying.begin());
    }
    if (!FCopying.empty())
        return;
    FCopy->stop();
    StartWriting();
}

// The files are made and written by another thread. Whatever fails there (the folder, the disk,
// memory for a long text) is told, never lost with the thread's result.
void RecoveryKeeper::StartWriting()
{
    std::vector<Job> jobs = std::exchange(FCopied, {});
    if (jobs.empty())
        return;
    FWriting = std::async(std::launch::async, [this, jobs = std::move(jobs)]() mutable {
        std::vector<Result> written;
        bool failed = false;
        for (Job& job : jobs) {
            try {
                job.record.text = job.snapshot.Text();
                for (const auto& [line, bytes] : job.snapshot.Kept())
                    job.record.kept.emplace_back(line, bytes);
                FWrite(job.path, FormatRecovery(job.record));
                written.push_back({job.text, job.path});
            } catch (const std::exception&) {
                failed = true;
            }
        }
        // The copies go here too: freeing a novel's lines takes a while.
        std::vector<Job>().swap(jobs);
        QMetaObject::invokeMethod(
            this, [this, written = std::move(written), failed] { Written(written, failed); },
            Qt::QueuedConnection);
    });
}

RecoveryKeeper::Job RecoveryKeeper::Snapshot(int index, const Entry& entry) const
{
    const Document& document = *FTabs.Item(index);
    const EditorDocument* shown = FTabs.TextOf(index);
    RecoveryRecord record;
    record.owner = RecoveryFolder::ThisProcess(FWindow);
    record.changedAt = entry.changedAt;
    record.fileName = document.FileName;
    record.encoding = document.Encoding;
    record.lineBreak = document.FileLineBreak;
    record.endsWithBreak = document.FileEndsWithBreak;
    record.caret = FTabs.EditorOf(index)->textCursor().position();
    if (FDescribe)
        FDescribe(index, record);
    return {shown, entry.path, std::move(record), TextSnapshot()};
}

// A file written for a text that was saved or closed meanwhile goes at once; one failure is told
// once, until writing works again.
void RecoveryKeeper::Written(const std::vector<Result>& written, bool failed)
{
    for (const Result& result : written) {
        const auto found = FEntries.find(result.text);
        if (found == FEntries.end() || found->second.path != result.path ||
            !found->first->isModified())
            RecoveryFolder::Remove(result.path);
    }
    if (failed && !FNoticeShown)
        FNotice(QStringLiteral(u"未保存の変更を %1 に書き込めません")
                    .arg(QString::fromStdString(RecoveryFolder::Path())));
    FNoticeShown = failed;
    if (std::exchange(FWriteAgain, false))
        WriteChanged();
}
