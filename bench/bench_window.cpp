// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window with a 1 MiB and a 16 MiB novel open: the time from a typed character to the six
// panel fields showing the new figures, in logical and display-line mode with wrapping on;
// extending a selection line by line; opening a 16 MiB file beside the bare editor's own time for
// the same text; opening a 64 MiB file with its progress; switching between two tabs; the resident
// memory a 16 MiB novel takes; the line-information gutter's refresh after a key press and on a
// scroll step with a 1 MiB novel open; typing with the manuscript check's list open; the find
// bar's next match, its count while the writer types and replace-all of about 10,000 matches in
// the 16 MiB novel; Ctrl+End after wrapping is turned on in the 16 MiB novel; a key in one
// paragraph of 600 KB, and a file of one 4.3 MB line shown. Runs the real TForm1 on the offscreen
// platform.
//   build/bin/kotonami_bench_window --benchmark_filter=Gutter
//   build/bin/kotonami_bench_window --benchmark_filter='FindNext|CountMatches|ReplaceAll'
//   build/bin/kotonami_bench_window --benchmark_filter='CtrlEnd|Paragraph|OneLine'
//   build/bin/kotonami_bench_window --benchmark_filter=Memory16MiB, =MemoryBare16MiB and
//   =Open64MiB (each alone: they read the process's resident memory, which earlier cases leave
//   grown)

#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"
#include "WindowBench.h"
#include "app/RecoveryKeeper.h"
#include "app/TForm1.h"
#include "controls/QtShiftJis.h"
#include "controls/StatusProgress.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string WriteCorpus(const char* name, std::size_t bytes, std::uint32_t seed)
{
    return WriteBenchFile(name, MakeNovelCorpus(bytes, seed));
}

double ResidentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           static_cast<double>(OneMiB);
}

// 200 typed characters (20 in one long paragraph) in the middle of the novel, each timed from the
// key press until the change handler has written the last panel field.
struct Typing
{
    bool displayLines = false;
    std::size_t bytes = OneMiB;
    bool newLines = false;     // every tenth key is Enter: the number of lines changes
    bool utf8 = false;         // the novel is saved as UTF-8
    bool wrap = false;         // lines wrap at the window's edge, still counted as logical lines
    bool check = false;        // the manuscript check's list is open beside the editor
    bool recovering = false;   // the recovery file of the novel is written every 20 keys
    bool oneParagraph = false; // the novel's lines joined without line breaks
    int keys = 200;
};

// Writes the recovery files of the changed documents now, as its timers do.
void WriteRecoveryFiles(TForm1& form)
{
    form.findChild<RecoveryKeeper*>()->WriteChanged();
}

void TypeIntoNovel(benchmark::State& state, const Typing& typing)
{
    const bool displayLines = typing.displayLines;
    std::string corpus = MakeNovelCorpus(typing.bytes, 1);
    if (typing.oneParagraph)
        std::erase_if(corpus, [](char byte) { return byte == '\r' || byte == '\n'; });
    if (typing.utf8)
        corpus = QtShiftJis::Decode(corpus).toUtf8().toStdString();
    auto form = MakeBenchWindow();
    form->OpenFile(WriteBenchFile("novel.txt", corpus));
    if (typing.wrap && !displayLines)
        form->findChild<QAction*>("WordWrapItem")->trigger();
    if (displayLines) {
        form->findChild<QAction*>("WordWrapItem")->trigger();
        form->findChild<QAction*>("AppearanceLineItem")->setChecked(true);
    }
    if (typing.check)
        form->findChild<QAction*>("ManuscriptCheckItem")->trigger();
    TRichEditEx* editor = form->Editor();
    editor->setFocus();
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(editor->document()->characterCount() / 2);
    editor->setTextCursor(cursor);
    QTest::keyClick(editor, 'a'); // the first display-line count lays out the whole text
    // With wrapping on, the lines before the caret are laid out between events: let them be.
    (void)QTest::qWaitFor([&] { return !form->StatusText(1).isEmpty(); }, 60000);
    Samples samples;
    for (auto _ : state) {
        for (int i = 0; i < typing.keys; ++i) {
            if (typing.recovering && i % 20 == 0)
                WriteRecoveryFiles(*form);
            if (typing.recovering) // the copy's slices run between the keys, as in the window
                QCoreApplication::processEvents();
            samples.Start();
            if (typing.newLines && i % 10 == 9)
                QTest::keyClick(editor, Qt::Key_Return);
            else
                QTest::keyClick(editor, static_cast<char>('a' + i % 26));
            samples.Stop();
        }
    }
    samples.Report(state);
}

void BM_TypeLogicalLines(benchmark::State& state)
{
    TypeIntoNovel(state, {});
}

void BM_TypeDisplayLinesWrapped(benchmark::State& state)
{
    TypeIntoNovel(state, {.displayLines = true});
}

void BM_TypeLogicalLines16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB});
}

void BM_TypeWithNewLines16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB, .newLines = true});
}

void BM_TypeWrapped16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB, .wrap = true});
}

void BM_TypeWithCheck16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB, .newLines = true, .check = true});
}

// The manuscript check's list opened on a 16 MiB novel: every line checked and listed.
void BM_OpenCheck16MiB(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteBenchFile("novel.txt", MakeNovelCorpus(SixteenMiB, 1)));
    QAction* item = form->findChild<QAction*>("ManuscriptCheckItem");
    for (auto _ : state)
        item->trigger();
}

void BM_TypeRecovering16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB, .recovering = true});
}

// The longest time the window's event loop was held while `wait` held true, between two turns of
// a 1 ms timer, on the clock and in this thread's processor time (the machine may be shared).
std::pair<double, double> LongestPause(const std::function<bool()>& wait)
{
    QTimer tick;
    tick.setInterval(1);
    double wall = 0;
    double cpu = 0;
    Clock::time_point last = Clock::now();
    double lastCpu = Samples::CpuMilliseconds();
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        const double nowCpu = Samples::CpuMilliseconds();
        wall = std::max(wall, std::chrono::duration<double, std::milli>(now - last).count());
        cpu = std::max(cpu, nowCpu - lastCpu);
        last = now;
        lastCpu = nowCpu;
    });
    tick.start();
    (void)QTest::qWaitFor(wait, 60000);
    return {wall, cpu};
}

// The recovery file of an edited 16 MiB novel written once while the window's event loop runs:
// the longest pause of the loop meanwhile, beside the longest pause of the idle window.
void BM_RecoveryWritePause16MiB(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("recovered.txt", SixteenMiB, 3));
    QTest::keyClick(form->Editor(), 'a');
    const QString folder = BenchFolder().filePath(QStringLiteral("kotonami/recovery"));
    const auto written = [&] {
        return !QDir(folder).entryList({QStringLiteral("*.recovery")}).isEmpty();
    };
    std::pair<double, double> writing{};
    std::pair<double, double> idle{};
    for (auto _ : state) {
        QDir(folder).removeRecursively();
        QTest::keyClick(form->Editor(), 'b');
        QTimer::singleShot(0, form.get(), [&] { WriteRecoveryFiles(*form); });
        const auto pause = LongestPause(written);
        writing = {std::max(writing.first, pause.first), std::max(writing.second, pause.second)};
        if (!written())
            state.SkipWithError("no recovery file");
        const QDeadlineTimer second(1000);
        const auto still = LongestPause([&] { return second.hasExpired(); });
        idle = {std::max(idle.first, still.first), std::max(idle.second, still.second)};
    }
    state.counters["longest_pause_ms"] = writing.first;
    state.counters["cpu_longest_pause_ms"] = writing.second;
    state.counters["idle_longest_pause_ms"] = idle.first;
    state.counters["idle_cpu_longest_pause_ms"] = idle.second;
}

void BM_TypeUtf8_16MiB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = SixteenMiB, .utf8 = true});
}

// Shift+Down with the selection anchored at the top of a 16 MiB novel and its other end at points
// spread from the top to the middle, each step timed until the panel shows the selection.
void BM_ExtendSelection16MiB(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("select.txt", SixteenMiB, 6));
    TRichEditEx* editor = form->Editor();
    editor->setFocus();
    const int blocks = editor->document()->blockCount();
    constexpr int Steps = 60;
    Samples samples;
    for (auto _ : state) {
        for (int i = 0; i < Steps; ++i) {
            QTextCursor cursor(editor->document());
            const QTextBlock end = editor->document()->findBlockByNumber(blocks / 2 * i / Steps);
            cursor.setPosition(end.position(), QTextCursor::KeepAnchor);
            editor->setTextCursor(cursor);
            samples.Start();
            QTest::keyClick(editor, Qt::Key_Down, Qt::ShiftModifier);
            samples.Stop();
        }
    }
    samples.Report(state);
}

// The floor for opening: a bare editor given the same text, decoded before the clock starts.
void BM_BareSetPlainText16MiB(benchmark::State& state)
{
    const std::string path = WriteCorpus("big.txt", SixteenMiB, 2);
    const QString text =
        QtShiftJis::Decode(MakeNovelCorpus(SixteenMiB, 2), Cp932::LineBreaks::Convert);
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<QPlainTextEdit>();
        editor->resize(800, 600);
        editor->show();
        (void)QTest::qWaitForWindowExposed(editor.get());
        state.ResumeTiming();
        editor->setPlainText(text);
        editor->repaint();
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}

// The floor for memory: a bare editor holding the same text, above the bare editor empty.
void BM_MemoryBare16MiB(benchmark::State& state)
{
    for (auto _ : state) {
        QPlainTextEdit editor;
        editor.resize(800, 600);
        editor.show();
        (void)QTest::qWaitForWindowExposed(&editor);
        QApplication::processEvents();
        const double empty = ResidentMiB();
        editor.setPlainText(
            QtShiftJis::Decode(MakeNovelCorpus(SixteenMiB, 7), Cp932::LineBreaks::Convert));
        editor.repaint();
        QApplication::processEvents();
        state.counters["above_empty_MiB"] = ResidentMiB() - empty;
    }
}

// The resident memory of the process with a 16 MiB novel open, above the same window empty.
void BM_Memory16MiB(benchmark::State& state)
{
    const std::string path = WriteCorpus("memory.txt", SixteenMiB, 7);
    for (auto _ : state) {
        auto form = MakeBenchWindow();
        QApplication::processEvents();
        const double empty = ResidentMiB();
        form->OpenFile(path);
        form->Editor()->repaint();
        QApplication::processEvents();
        state.counters["empty_MiB"] = empty;
        state.counters["above_empty_MiB"] = ResidentMiB() - empty;
        state.counters["above_empty_per_file_size"] = (ResidentMiB() - empty) / 16.0;
    }
}

void BM_Open16MiB(benchmark::State& state)
{
    const std::string path = WriteCorpus("big.txt", SixteenMiB, 2);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeBenchWindow();
        state.ResumeTiming();
        form->OpenFile(path);
        form->Editor()->repaint(); // shown: the visible part laid out and painted
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

// A 64 MiB novel: the time until it is shown, how often the status bar's progress was drawn on
// the way and the longest wait the writer had between two signs of life (from the start of the
// open to the first drawing, between drawings, and from the last to the text shown). Its resident
// memory above the empty window counts only when the case runs alone.
void BM_Open64MiB(benchmark::State& state)
{
    const std::string path = WriteCorpus("huge.txt", 64 * OneMiB, 8);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeBenchWindow();
        QApplication::processEvents();
        const double empty = ResidentMiB();
        std::vector<Clock::time_point> signs;
        QObject::connect(form->findChild<StatusProgress*>("StatusPanel0"),
                         &StatusProgress::DrawPanel, form.get(),
                         [&signs] { signs.push_back(Clock::now()); });
        state.ResumeTiming();
        signs.push_back(Clock::now());
        form->OpenFile(path);
        form->Editor()->repaint();
        signs.push_back(Clock::now());
        state.PauseTiming();
        double longest = 0;
        for (std::size_t i = 1; i < signs.size(); ++i)
            longest = std::max(
                longest,
                std::chrono::duration<double, std::milli>(signs[i] - signs[i - 1]).count());
        state.counters["progress_paints"] = static_cast<double>(signs.size() - 2);
        state.counters["longest_gap_ms"] = longest;
        QApplication::processEvents();
        state.counters["above_empty_MiB"] = ResidentMiB() - empty;
        form.reset();
        state.ResumeTiming();
    }
}

void SwitchTabs(benchmark::State& state, std::size_t bytes)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("one.txt", bytes, 3));
    form->OpenFile(WriteCorpus("two.txt", bytes, 4));
    QTabBar* tabs = form->findChild<QTabBar*>("TabControl1");
    // The window's first, empty tab stays at 0: the two novels are the last two tabs.
    const int first = tabs->count() - 2;
    int next = first;
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(next).center());
        form->Editor()->repaint();
        samples.Stop();
        next = next == first ? first + 1 : first;
    }
    samples.Report(state);
}

void BM_SwitchTabs1MiB(benchmark::State& state)
{
    SwitchTabs(state, OneMiB);
}

void BM_SwitchTabs16MiB(benchmark::State& state)
{
    SwitchTabs(state, SixteenMiB);
}

// The gutter's share of a key press in the middle of the novel: its paint, one walk over the rows
// in view that counts and draws them.
void BM_GutterAfterKeyPress(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("gutter.txt", OneMiB, 5));
    TRichEditEx* editor = form->Editor();
    auto* gutter = form->Editor()->LineInfo();
    editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum() / 2);
    QTest::keyClick(editor, Qt::Key_Down);
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        gutter->repaint();
        samples.Stop();
    }
    samples.Report(state);
}

// One scroll step of the editor, one line down or up, with the gutter following it and painted.
// The editor's own repaint of its text is left out: it is the same with the gutter off.
void BM_GutterScrollStep(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("gutter.txt", OneMiB, 5));
    auto* gutter = form->Editor()->LineInfo();
    QScrollBar* bar = form->Editor()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    int step = 1;
    Samples samples;
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - 1 || bar->value() <= 1)
            step = -step;
        samples.Start();
        bar->setValue(bar->value() + step);
        gutter->repaint();
        samples.Stop();
    }
    samples.Report(state);
}

// The find bar over the 16 MiB novel, opened with Ctrl+F and the caret at the top.
std::unique_ptr<TForm1> NovelWithFindBar()
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("find.txt", SixteenMiB, 7));
    QTextCursor top = form->Editor()->textCursor();
    top.setPosition(0);
    form->Editor()->setTextCursor(top);
    form->findChild<QAction*>("ReplaceItem")->trigger();
    return form;
}

QString U(const char8_t* utf8)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

// F3 from match to match of a two-character phrase: each step finds the next match from the
// caret, selects it, shows "N 件中 M 件目" and marks the matches in view.
void BM_FindNext16MiB(benchmark::State& state)
{
    auto form = NovelWithFindBar();
    form->findChild<QComboBox*>("FindField")->setEditText(U(u8"「あ"));
    QAction* next = form->findChild<QAction*>("FindNextItem");
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        next->trigger();
        samples.Stop();
    }
    samples.Report(state);
    state.counters["status_" + form->findChild<QLabel*>("FindStatus")->text().toStdString()] = 0;
}

// The writer types the second character of a two-character phrase: the first match from the
// caret is found and selected, every match in the novel counted, those in view marked.
void BM_CountMatches16MiB(benchmark::State& state)
{
    auto form = NovelWithFindBar();
    auto* field = form->findChild<QComboBox*>("FindField");
    const QString terms[] = {U(u8"「あ"), U(u8"「い")};
    int turn = 0;
    Samples samples;
    for (auto _ : state) {
        field->setEditText(terms[turn][0]);
        samples.Start();
        field->setEditText(terms[turn]);
        samples.Stop();
        turn = 1 - turn;
    }
    samples.Report(state);
    state.counters["status_" + form->findChild<QLabel*>("FindStatus")->text().toStdString()] = 0;
}

// すべて置換 of a phrase found about 16,000 times in the novel ("o、" after Tokyo, Kyoto, piano),
// timed until the panel shows the new figures; undone (not timed) before the next round. The
// character count must have grown by one per match.
void BM_ReplaceAll16MiB(benchmark::State& state)
{
    auto form = NovelWithFindBar();
    form->findChild<QComboBox*>("FindField")->setEditText(U(u8"o、"));
    form->findChild<QLineEdit*>("ReplaceField")->setText(U(u8"o、。"));
    QPushButton* replaceAll = nullptr;
    for (QPushButton* button : form->findChildren<QPushButton*>())
        if (button->text() == U(u8"すべて置換"))
            replaceAll = button;
    // The panel follows every edit, and shows the whole text's figures: no selection.
    if (QAction* renew = form->findChild<QAction*>("AutoRenewInfoItem"); !renew->isChecked())
        renew->trigger();
    QTextCursor caret = form->Editor()->textCursor();
    caret.clearSelection();
    form->Editor()->setTextCursor(caret);
    auto* characters = form->findChild<QLineEdit*>("CharNumber");
    const long long before = characters->text().toLongLong();
    long long replaced = 0;
    bool exact = true;
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        replaceAll->click();
        samples.Stop();
        const QString status = form->findChild<QLabel*>("FindStatus")->text();
        replaced = status.section(QChar(u' '), 0, 0).toLongLong();
        exact = exact && characters->text().toLongLong() == before + replaced;
        state.PauseTiming();
        form->Editor()->undo();
        state.ResumeTiming();
    }
    samples.Report(state);
    state.counters["replaced"] = static_cast<double>(replaced);
    state.counters["figures_exact"] = exact ? 1 : 0;
}

// Wrapping turned on in a 16 MiB novel, then Ctrl+End twice: each key timed until it is handled
// and the end is in view, the first also until the status bar shows the caret's display line
// (laid out between the window's events), with the longest pause of the event loop meanwhile;
// at_end tells that the caret is at the end and in view after each key and at the last,
// figure_exact that the status bar shows the text's last display line.
void BM_WrapThenCtrlEnd16MiB(benchmark::State& state)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteCorpus("wrap.txt", SixteenMiB, 9));
    TRichEditEx* editor = form->Editor();
    editor->setFocus();
    Samples keys;
    double figureMs = 0;
    double figureCpuMs = 0;
    std::pair<double, double> pause{};
    bool atEnd = true;
    bool exact = true;
    for (auto _ : state) {
        form->findChild<QAction*>("WordWrapItem")->trigger();
        QTextCursor top = editor->textCursor();
        top.setPosition(0);
        editor->setTextCursor(top);
        const Clock::time_point start = Clock::now();
        const double cpuStart = Samples::CpuMilliseconds();
        for (int press = 0; press < 2; ++press) {
            keys.Start();
            QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
            editor->repaint();
            keys.Stop();
            atEnd = atEnd && editor->viewport()->rect().contains(editor->cursorRect());
            if (press == 0)
                pause = LongestPause([&] { return !form->StatusText(1).isEmpty(); });
        }
        figureMs = std::max(
            figureMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        figureCpuMs = std::max(figureCpuMs, Samples::CpuMilliseconds() - cpuStart);
        atEnd = atEnd && editor->textCursor().atEnd() &&
                editor->viewport()->rect().contains(editor->cursorRect());
        const QString last = QString::number(editor->GetLineCount()) + u'行';
        exact = exact && form->StatusText(1).startsWith(last);
        form->findChild<QAction*>("WordWrapItem")->trigger();
    }
    keys.Report(state);
    state.counters["figure_ms"] = figureMs;
    state.counters["cpu_figure_ms"] = figureCpuMs;
    state.counters["longest_pause_ms"] = pause.first;
    state.counters["cpu_longest_pause_ms"] = pause.second;
    state.counters["at_end"] = atEnd ? 1 : 0;
    state.counters["figure_exact"] = exact ? 1 : 0;
}

// One paragraph of 600 KB: the novel's lines joined without breaks.
void BM_TypeParagraph600KB(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = 600 * 1000, .oneParagraph = true, .keys = 20});
}

void BM_TypeParagraph600KBWrapped(benchmark::State& state)
{
    TypeIntoNovel(state, {.bytes = 600 * 1000, .wrap = true, .oneParagraph = true, .keys = 20});
}

// A file of one 4.3 MB line, from the open until it is shown.
void BM_OpenOneLine4MB(benchmark::State& state)
{
    std::string line = MakeNovelCorpus(4300 * 1000, 11);
    std::erase_if(line, [](char byte) { return byte == '\r' || byte == '\n'; });
    const std::string path = WriteBenchFile("oneline.txt", line);
    Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeBenchWindow();
        state.ResumeTiming();
        samples.Start();
        form->OpenFile(path);
        form->Editor()->repaint();
        samples.Stop();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    samples.Report(state);
}

BENCHMARK(BM_FindNext16MiB)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountMatches16MiB)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll16MiB)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeLogicalLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeDisplayLinesWrapped)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeLogicalLines16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeWithNewLines16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeWithCheck16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCheck16MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeWrapped16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeUtf8_16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeRecovering16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWritePause16MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtendSelection16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSetPlainText16MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open16MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open64MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchTabs1MiB)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchTabs16MiB)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryBare16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GutterAfterKeyPress)->Iterations(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GutterScrollStep)->Iterations(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WrapThenCtrlEnd16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeParagraph600KB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeParagraph600KBWrapped)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOneLine4MB)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
