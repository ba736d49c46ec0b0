// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved changes outlive a window that ends without closing: their recovery files come back in
// the next window exactly as they were, and go when the writer saves, closes or discards them.

#include "WindowHarness.h"

#include "Mnemonics.h"

#include "analysis/Cp932Table.h"
#include "app/ChangedOnDiskBar.h"
#include "controls/EditorDocument.h"
#include "documents/RecoveryFile.h"
#include "documents/RecoveryFolder.h"
#include "shell/ScopedVariable.h"
#include "shell/WritingLog.h"

#include <QDir>
#include <QStatusBar>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <map>

namespace {

// Every duplicate pair of code page 932, twenty to a line.
std::string EveryDuplicatePair()
{
    std::string bytes;
    for (std::size_t i = 0; i < Cp932Table::DuplicatePairCount; ++i) {
        bytes += static_cast<char>(Cp932Table::DuplicatePairs[i].pair >> 8);
        bytes += static_cast<char>(Cp932Table::DuplicatePairs[i].pair & 0xFF);
        if (i % 20 == 19)
            bytes += "\r\n";
    }
    return bytes + "\r\n";
}

// Every character to which Shift-JIS gives the code of another, with that other one: the codec
// encodes both to one code, which decodes to the second (〜 and ～, − and －, ‖ and ∥, ¬ and ￢,
// …).
QString CharactersSharingACode()
{
    QString shared;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::u16string one(1, static_cast<char16_t>(c));
        std::string code;
        if (!Cp932::Encode(one, code))
            continue;
        if (const std::u16string back = Cp932::Decode(code); back != one)
            shared += QString::fromUtf16(one.data(), 1) +
                      QString::fromUtf16(back.data(), static_cast<qsizetype>(back.size()));
    }
    return shared;
}

struct Shown
{
    std::string form; // the counting form, with the file's own byte pairs
    QString text;
    int caret;
};

class WindowRecoveryTest : public WindowTest
{
protected:
    QString Folder() const { return QString::fromStdString(PathOf("kotonami/recovery")); }

    int RecoveryFiles() const
    {
        return static_cast<int>(
            QDir(Folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files).size());
    }

    // The record of the one recovery file there is; nothing while there is none.
    std::optional<RecoveryRecord> OnlyRecord() const
    {
        const QStringList names = QDir(Folder()).entryList({QStringLiteral("*.recovery")});
        if (names.size() != 1)
            return std::nullopt;
        return ParseRecovery(Read((Folder() + QLatin1Char('/') + names[0]).toStdString()));
    }

    // Waits until the one recovery file holds the text of the editor in front.
    void WaitUntilKept() const
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const auto record = OnlyRecord();
                return record &&
                       QString::fromStdU16String(record->text) == Form->Editor()->toPlainText();
            },
            20000));
    }

    void WaitForRecoveryFiles(int count) const
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return RecoveryFiles() == count; }, 20000))
            << RecoveryFiles() << " recovery files instead of " << count;
    }

    std::map<QString, Shown> EveryTab(TForm1& form) const
    {
        std::map<QString, Shown> tabs;
        auto* bar = form.findChild<QTabBar*>("TabControl1");
        for (int i = 0; i < bar->count(); ++i) {
            bar->setCurrentIndex(i);
            TRichEditEx* editor = form.Editor();
            EXPECT_TRUE(editor->GetModified()) << bar->tabText(i).toStdString();
            tabs[bar->tabText(i)] = {editor->Text()->Text(), editor->Text()->toRawText(),
                                     editor->textCursor().position()};
        }
        return tabs;
    }

    // A new window after the crash of the test's own, answering the recovery question.
    std::unique_ptr<TForm1> StartAnother(const QString& answer, QString* list = nullptr,
                                         const std::vector<std::string>& items = {})
    {
        AnswerModal<QMessageBox>([answer, list](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral(u"未保存の変更の復元"));
            EXPECT_TRUE(box->defaultButton()->text().startsWith(QStringLiteral(u"復元する")));
            EXPECT_EQ(MnemonicFaults({box}), QStringList());
            if (list)
                *list = box->informativeText();
            for (QAbstractButton* button : box->buttons())
                if (button->text().startsWith(answer)) // after it, its mnemonic
                    button->click();
        });
        auto form = std::make_unique<TForm1>();
        form->StartUp(items);
        return form;
    }
};

TEST_F(WindowRecoveryTest, EditsOfACrashedWindowComeBackExactly)
{
    const std::string pairs = EveryDuplicatePair();
    const std::string pairsPath = Write("pairs.txt", pairs);
    const std::string utf8 = "é𠮷한〓猫\n二行目\n";
    const std::string utf8Path = Write("utf8.txt", utf8);
    Type(QStringLiteral(u"新しい話é〓"));
    Editor()->insertPlainText(QStringLiteral(u"😀")); // beyond the keys: two UTF-16 units
    Form->OpenFile(pairsPath);
    Editor()->moveCursor(QTextCursor::End);
    Type(QStringLiteral(u"末尾"));
    Form->OpenFile(utf8Path);
    Editor()->moveCursor(QTextCursor::Down);
    Type(QStringLiteral(u"ü"));
    const std::map<QString, Shown> before = EveryTab(*Form);
    WaitForRecoveryFiles(3);

    Form.reset(); // no close: as a crash leaves it
    QString list;
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"), &list);
    for (const char* name : {"pairs.txt", "utf8.txt"})
        EXPECT_TRUE(list.contains(QString::fromUtf8(name))) << list.toStdString();
    const std::map<QString, Shown> after = EveryTab(*next);
    ASSERT_EQ(after.size(), 3u);
    for (const auto& [caption, shown] : before) {
        ASSERT_TRUE(after.count(caption)) << caption.toStdString();
        EXPECT_EQ(after.at(caption).form, shown.form) << caption.toStdString();
        EXPECT_EQ(after.at(caption).text, shown.text) << caption.toStdString();
        EXPECT_EQ(after.at(caption).caret, shown.caret) << caption.toStdString();
    }
    // Nothing goes to the files until the writer saves; the new window keeps the recovery files.
    EXPECT_EQ(Read(pairsPath), pairs);
    EXPECT_EQ(Read(utf8Path), utf8);
    EXPECT_EQ(RecoveryFiles(), 3);

    // Closed normally, having declined every save, the window leaves none behind.
    ModalCatcher<QMessageBox> decline(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    next->close();
    EXPECT_EQ(decline.Count(), 3);
    EXPECT_EQ(RecoveryFiles(), 0);
}

// The characters typed into a document of each encoding, and into one never saved, come back as
// typed, not as the ones that share their Shift-JIS code.
TEST_F(WindowRecoveryTest, EveryCharacterComesBackInEveryEncoding)
{
    const QString shared = CharactersSharingACode();
    for (const char16_t c : {u'〜', u'～', u'−', u'－', u'‖', u'∥', u'¬', u'￢', u'¢', u'£'})
        ASSERT_TRUE(shared.contains(QChar(c))) << "the codec's pairs include " << int(c);
    Type(shared);
    for (const TextEncoding encoding : AllEncodings) {
        const std::string name = std::string("in-") + EncodingName(encoding) + ".txt";
        std::string bytes;
        EncodeText(u"吾輩は猫である。名前はまだ無い。\n", encoding, LineBreak::Lf, true, bytes);
        Form->OpenFile(Write(name.c_str(), bytes));
        ASSERT_EQ(Form->findChild<QLabel*>("StatusPanel4")->text(),
                  QString::fromLatin1(EncodingName(encoding)));
        Editor()->moveCursor(QTextCursor::End);
        Type(shared);
    }
    const std::map<QString, Shown> before = EveryTab(*Form);
    WaitForRecoveryFiles(1 + static_cast<int>(std::size(AllEncodings)));

    Form.reset(); // no close: as a crash leaves it
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    const std::map<QString, Shown> after = EveryTab(*next);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [caption, shown] : before) {
        ASSERT_TRUE(after.count(caption)) << caption.toStdString();
        EXPECT_EQ(after.at(caption).text, shown.text) << caption.toStdString();
        EXPECT_EQ(after.at(caption).form, shown.form) << caption.toStdString();
    }
}

TEST_F(WindowRecoveryTest, LaterKeepsTheFilesAndDiscardRemovesThem)
{
    Type(QStringLiteral("draft"));
    WaitForRecoveryFiles(1);
    Form.reset();

    std::unique_ptr<TForm1> later = StartAnother(QStringLiteral(u"後で"));
    EXPECT_EQ(later->findChild<QTabBar*>("TabControl1")->count(), 1);
    EXPECT_EQ(later->Editor()->GetText(), "");
    EXPECT_EQ(RecoveryFiles(), 1);
    later.reset();

    const std::unique_ptr<TForm1> discard = StartAnother(QStringLiteral(u"破棄する"));
    EXPECT_EQ(discard->Editor()->GetText(), "");
    EXPECT_EQ(RecoveryFiles(), 0);
}

TEST_F(WindowRecoveryTest, SavingOrClosingTheDocumentRemovesItsFile)
{
    Type(QStringLiteral("saved"));
    WaitForRecoveryFiles(1);
    AnswerFileDialog(QString::fromStdString(PathOf("saved.txt")));
    Action("SaveAs1")->trigger();
    EXPECT_EQ(Read(PathOf("saved.txt")), "saved");
    EXPECT_EQ(RecoveryFiles(), 0);

    Action("New1")->trigger();
    Type(QStringLiteral("dropped"));
    WaitForRecoveryFiles(1);
    AnswerMessageBox(QMessageBox::No);
    Action("DeleteTabItem")->trigger();
    EXPECT_EQ(RecoveryFiles(), 0);
}

// The files of every run that ended without closing are offered at once, a run whose process has
// ended but was not yet waited for by its parent among them.
TEST_F(WindowRecoveryTest, EveryRunThatEndedIsOfferedAtOnce)
{
    Form->OpenFile(Write("first.txt", "one\n"));
    Type(QStringLiteral("A"));
    Form->OpenFile(Write("second.txt", "two\n"));
    Type(QStringLiteral("B"));
    WaitForRecoveryFiles(2);
    Form.reset(); // no close: as a crash leaves it
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    siginfo_t ended{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT), 0);
    // The two files as those of two runs: one not yet waited for, one long gone.
    const RecoveryOwner runs[] = {RecoveryFolder::OwnerOf(child, 1), {child, 1, 1}};
    const QStringList names = QDir(Folder()).entryList({QStringLiteral("*.recovery")});
    ASSERT_EQ(names.size(), 2);
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(RecoveryFolder::Claim((Folder() + QLatin1Char('/') + names[i]).toStdString(),
                                          RecoveryFolder::FileFor(runs[i], 1)));

    QString list;
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"), &list);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(list.contains(QStringLiteral("first.txt"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("second.txt"))) << list.toStdString();
    const std::map<QString, Shown> tabs = EveryTab(*next);
    EXPECT_EQ(tabs.size(), 2u);
}

// A file named at start whose recovery file is restored opens once, with its unsaved changes.
TEST_F(WindowRecoveryTest, AFileNamedAtStartOpensOnceWithItsUnsavedChanges)
{
    const std::string path = Write("named.txt", "saved\n");
    Form->OpenFile(path);
    Editor()->moveCursor(QTextCursor::End);
    Type(QStringLiteral("edited"));
    const QString edited = Editor()->toPlainText();
    WaitForRecoveryFiles(1);
    Form.reset(); // no close: as a crash leaves it

    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"), nullptr, {path});
    auto* bar = next->findChild<QTabBar*>("TabControl1");
    ASSERT_EQ(bar->count(), 1);
    EXPECT_EQ(bar->tabText(0), QStringLiteral("named.txt"));
    EXPECT_EQ(next->Editor()->toPlainText(), edited);
    EXPECT_TRUE(next->Editor()->GetModified());
}

// A file restored with its unsaved changes is watched as an opened one: a change on disk
// afterwards shows the bar, and a save over it asks first.
TEST_F(WindowRecoveryTest, ARestoredFileIsWatched)
{
    const std::string path = Write("watched.txt", "saved\n");
    Form->OpenFile(path);
    Type(QStringLiteral("edited "));
    WaitForRecoveryFiles(1);
    Form.reset(); // no close: as a crash leaves it

    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    next->show();
    auto* bar = next->findChild<ChangedOnDiskBar*>();
    EXPECT_FALSE(bar->isVisible());
    Write("watched.txt", "theirs\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->isVisible(); }));
    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    next->findChild<QAction*>("Save1")->trigger();
    EXPECT_TRUE(question.contains(u"上書き")) << question.toStdString();
    EXPECT_EQ(Read(path), "theirs\n");
}

// A file that another program changed after the window ended comes back under the restored text
// as it would under a running window's: the bar offers to read it again, and a save asks first.
TEST_F(WindowRecoveryTest, ARestoreOverAFileChangedSinceShowsTheBar)
{
    const std::string path = Write("changed.txt", "saved\n");
    Form->OpenFile(path);
    Type(QStringLiteral("mine "));
    WaitUntilKept();
    Form.reset(); // no close: as a crash leaves it
    ASSERT_TRUE(OnlyRecord() && OnlyRecord()->stamp) << "the file as it was read";
    Write("changed.txt", "theirs, written after the crash\n");

    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    next->show();
    EXPECT_TRUE(next->findChild<ChangedOnDiskBar*>()->isVisible());
    EXPECT_TRUE(next->Editor()->toPlainText().startsWith(QStringLiteral("mine ")));
    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    next->findChild<QAction*>("Save1")->trigger();
    EXPECT_TRUE(question.contains(u"上書き")) << question.toStdString();
    EXPECT_EQ(Read(path), "theirs, written after the crash\n");
}

// What was typed before the window ended reaches the writing log once the text comes back, under
// the day it was typed, and what the log had been given already is not counted again.
TEST_F(WindowRecoveryTest, TypingBeforeACrashReachesTheLogAfterTheRestore)
{
    const QTemporaryDir data;
    const ScopedVariable dataHome("XDG_DATA_HOME", data.path().toStdString());
    const std::string log = data.filePath("kotonami/writing-log.sqlite3").toStdString();
    const auto logged = [&log](const std::string& path) {
        const auto opened = WritingLog::OpenForReading(log);
        const auto days =
            opened ? opened->Days(LocalDay(std::time(nullptr)), path) : std::vector<LogDay>{};
        return days.empty() ? DayTally{} : days.back().tally;
    };
    const struct
    {
        const char* name;
        bool savedBetween;
    } rows[] = {{"typed.txt", false}, {"saved-between.txt", true}};
    for (const auto& row : rows) {
        Form = std::make_unique<TForm1>();
        Form->StartUp({});
        Show();
        const std::string path = Write(row.name, "");
        Form->OpenFile(path);
        Type(QStringLiteral("abc"));
        if (row.savedBetween)
            Action("Save1")->trigger();
        Type(QStringLiteral(u"四五"));
        WaitUntilKept();
        Form.reset(); // no close: as a crash leaves it

        const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
        EXPECT_EQ(logged(path).added, 5) << row.name;
        EXPECT_EQ(logged(path).removed, 0) << row.name;
        ModalCatcher<QMessageBox> decline(
            [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        next->close();
    }
}

// Typed on at a pace that never pauses for a second, the writing is in the recovery file at every
// moment but for its last second, and comes back after a crash.
TEST_F(WindowRecoveryTest, TypingOnLosesAtMostTheLastSecond)
{
    using namespace std::chrono_literals;
    using Clock = std::chrono::steady_clock;
    Form->findChild<RecoveryKeeper*>()->SetLatest(RecoveryKeeper::Latest);
    const QString typed = QStringLiteral("abcdefghijklmn");
    std::vector<Clock::time_point> typedAt;
    Clock::duration longestMissing{};
    for (const QChar key : typed) {
        Type(key);
        typedAt.push_back(Clock::now());
        for (const Clock::time_point next = typedAt.back() + 300ms; Clock::now() < next;) {
            QTest::qWait(20);
            const auto record = OnlyRecord();
            const std::size_t kept = record ? record->text.size() : 0;
            if (kept < typedAt.size())
                longestMissing = std::max(longestMissing, Clock::now() - typedAt[kept]);
        }
    }
    // A second, and what a loaded machine may add to the timer and the write.
    EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(longestMissing).count(), 1300);

    const std::size_t kept = OnlyRecord() ? OnlyRecord()->text.size() : 0;
    Form.reset(); // no close: as a crash leaves it
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    EXPECT_EQ(next->Editor()->toPlainText(), typed.left(static_cast<qsizetype>(kept)));
}

// A tab that a conversion opens holds a text that is nowhere on disk: its recovery file is
// written at once, not a while later, and the text comes back after a crash.
TEST_F(WindowRecoveryTest, ConvertedTabsAreKeptAsSoonAsTheyOpen)
{
    Form->findChild<RecoveryKeeper*>()->SetLatest(std::chrono::hours(1)); // no timer writes
    Type(QStringLiteral(u"ｶﾞｯｺｳ abc 123。"));
    QStringList converted;
    int files = 1; // the source's too, written with the first
    for (const char* command : {"ToDoubleBytes", "TokanaItem", "PaperOutItem"}) {
        Tabs()->setCurrentIndex(0);
        Action(command)->trigger();
        converted << Editor()->toPlainText();
        WaitForRecoveryFiles(++files);
    }

    Form.reset(); // no close: as a crash leaves it
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    QStringList restored;
    auto* bar = next->findChild<QTabBar*>("TabControl1");
    for (int i = 0; i < bar->count(); ++i) {
        bar->setCurrentIndex(i);
        restored << next->Editor()->toPlainText();
    }
    for (const QString& text : converted)
        EXPECT_TRUE(restored.contains(text)) << text.toStdString();
}

} // namespace

namespace {

// A folder that cannot be made: a notice in the status bar, and typing goes on.
TEST_F(WindowRecoveryTest, AnUnwritableFolderIsToldInTheStatusBar)
{
    qputenv("XDG_STATE_HOME", PathOf("Kotonami.ini").c_str()); // a file, not a folder
    Type(QStringLiteral("lost?"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Form->statusBar()->currentMessage().contains(QStringLiteral(u"書き込めません"));
        },
        20000));
    Type(QStringLiteral("!"));
    EXPECT_EQ(Editor()->GetText(), "lost?!");
}

// Running out of memory on the writing thread is told as a full disk is.
TEST_F(WindowRecoveryTest, AFailureOfAnyKindOnTheWritingThreadIsTold)
{
    Form->findChild<RecoveryKeeper*>()->SetWriter(
        [](const std::string&, std::string_view) { throw std::bad_alloc(); });
    Type(QStringLiteral("lost?"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Form->statusBar()->currentMessage().contains(QStringLiteral(u"書き込めません"));
        },
        20000));
}

// The drafts of unsaved writing are the writer's alone, a draft written again over one that
// someone opened to others included.
TEST_F(WindowRecoveryTest, DraftsAndTheirFolderAreTheOwnersAlone)
{
    Type(QStringLiteral("secret"));
    WaitForRecoveryFiles(1);
    const auto statusOf = [](const QString& path) {
        struct stat status
        {
        };
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        return status;
    };
    const auto modeOf = [&](const QString& path) { return statusOf(path).st_mode & 07777; };
    const QString draft =
        Folder() + QLatin1Char('/') + QDir(Folder()).entryList({QStringLiteral("*.recovery")})[0];
    EXPECT_EQ(modeOf(Folder()), 0700u);
    EXPECT_EQ(modeOf(draft), 0600u);

    ::chmod(QFile::encodeName(draft).constData(), 0644);
    const ino_t before = statusOf(draft).st_ino;
    Type(QStringLiteral("!"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return statusOf(draft).st_ino != before; }, 20000));
    EXPECT_EQ(modeOf(draft), 0600u);
}

} // namespace
