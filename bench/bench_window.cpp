// The window with a 1 MiB novel open: the time from a typed character to the six panel fields
// showing the new figures, in logical and display-line mode with wrapping on; opening a 16 MiB
// file; switching between two 1 MiB tabs; the line-information gutter's refresh after a key press
// and on a scroll step with a 1 MiB novel open. Runs the real TForm1 on the offscreen platform.
//   build/bin/kotonami_bench_window --benchmark_filter=Gutter

#include "NovelCorpus.h"
#include "app/TForm1.h"
#include "app/WindowSettingsFile.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

std::string WriteCorpus(const char* name, std::size_t bytes, std::uint32_t seed)
{
    const std::string path = Folder().filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << MakeNovelCorpus(bytes, seed);
    return path;
}

std::unique_ptr<TForm1> MakeWindow()
{
    // Settings of its own, already there: no first-start question, nothing left beside the program.
    const std::string settings = Folder().filePath("Kotonami.ini").toStdString();
    std::ofstream(settings, std::ios::binary).flush();
    SetWindowSettingsFileName(settings);
    auto form = std::make_unique<TForm1>();
    form->StartUp({});
    form->resize(800, 600);
    form->show();
    (void)QTest::qWaitForWindowExposed(form.get());
    return form;
}

void ReportDistribution(benchmark::State& state, std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double q) {
        return milliseconds[static_cast<std::size_t>(q *
                                                     static_cast<double>(milliseconds.size() - 1))];
    };
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = milliseconds.back();
}

// 200 typed characters in the middle of the novel, each timed from the key press until the
// change handler has written the last panel field.
void TypeIntoNovel(benchmark::State& state, bool displayLines)
{
    auto form = MakeWindow();
    form->OpenFile(WriteCorpus("novel.txt", OneMiB, 1));
    if (displayLines) {
        form->findChild<QAction*>("WordWrapItem")->trigger();
        form->findChild<QAction*>("AppearanceLineItem")->setChecked(true);
    }
    TRichEditEx* editor = form->Editor();
    editor->setFocus();
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(editor->document()->characterCount() / 2);
    editor->setTextCursor(cursor);
    QTest::keyClick(editor, 'a'); // the first display-line count lays out the whole text
    std::vector<double> samples;
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            QTest::keyClick(editor, static_cast<char>('a' + i % 26));
            samples.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    ReportDistribution(state, std::move(samples));
}

void BM_TypeLogicalLines(benchmark::State& state)
{
    TypeIntoNovel(state, false);
}

void BM_TypeDisplayLinesWrapped(benchmark::State& state)
{
    TypeIntoNovel(state, true);
}

void BM_Open16MiB(benchmark::State& state)
{
    const std::string path = WriteCorpus("big.txt", SixteenMiB, 2);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeWindow();
        state.ResumeTiming();
        form->OpenFile(path);
        form->Editor()->repaint(); // shown: the visible part laid out and painted
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

void BM_SwitchTabs1MiB(benchmark::State& state)
{
    auto form = MakeWindow();
    form->OpenFile(WriteCorpus("one.txt", OneMiB, 3));
    form->OpenFile(WriteCorpus("two.txt", OneMiB, 4));
    QTabBar* tabs = form->findChild<QTabBar*>("TabControl1");
    int next = 0;
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(next).center());
        form->Editor()->repaint();
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        next = 1 - next;
    }
    ReportDistribution(state, std::move(samples));
}

// The gutter's share of a key press in the middle of the novel: its paint, one walk over the rows
// in view that counts and draws them.
void BM_GutterAfterKeyPress(benchmark::State& state)
{
    auto form = MakeWindow();
    form->OpenFile(WriteCorpus("gutter.txt", OneMiB, 5));
    TRichEditEx* editor = form->Editor();
    auto* gutter = form->findChild<TLineInfo*>("LineInfo1");
    editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum() / 2);
    QTest::keyClick(editor, Qt::Key_Down);
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        gutter->repaint();
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    ReportDistribution(state, std::move(samples));
}

// One scroll step of the editor, one line down or up, with the gutter following it and painted.
// The editor's own repaint of its text is left out: it is the same with the gutter off.
void BM_GutterScrollStep(benchmark::State& state)
{
    auto form = MakeWindow();
    form->OpenFile(WriteCorpus("gutter.txt", OneMiB, 5));
    auto* gutter = form->findChild<TLineInfo*>("LineInfo1");
    QScrollBar* bar = form->Editor()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    int step = 1;
    std::vector<double> samples;
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - 1 || bar->value() <= 1)
            step = -step;
        const auto start = Clock::now();
        bar->setValue(bar->value() + step);
        gutter->repaint();
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    ReportDistribution(state, std::move(samples));
}

BENCHMARK(BM_TypeLogicalLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeDisplayLinesWrapped)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open16MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchTabs1MiB)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GutterAfterKeyPress)->Iterations(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GutterScrollStep)->Iterations(500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
