// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The writing log: a session written to the log (a new one, and one written again as it grows),
// and 解析 › 執筆の記録… opened over a year of daily rows, from the menu until the window has
// painted. Runs the real TForm1 on the offscreen platform.
//   build/bin/kotonami_bench_log

#include "QtBenchmarkMain.h"
#include "WindowBench.h"
#include "shell/WritingLog.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

std::string LogPath()
{
    return BenchFolder().filePath("kotonami/writing-log.sqlite3").toStdString();
}

// Argument: 1 writes the same session again each time, 0 a new session each time.
void BM_WriteSession(benchmark::State& state)
{
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    const std::int64_t now = std::time(nullptr);
    SessionRecord session{"/bench/novel.txt", 0, now, now, 1000, 1000, {}};
    Samples samples;
    std::int64_t turn = 0;
    for (auto _ : state) {
        if (state.range(0) == 0)
            session.id = 0;
        ++turn;
        session.ended = now + turn;
        session.charactersAtEnd = 1000 + turn;
        session.days[LocalDay(now)] = {turn, 0, turn};
        samples.Start();
        log.Write(session);
        samples.Stop();
    }
    samples.Report(state);
}

// A year of sessions, one a day, into the document that the window then shows.
void FillYear(const std::string& path)
{
    WritingLog log = WritingLog::OpenForWriting(LogPath());
    const std::int64_t now = std::time(nullptr);
    for (int back = 365; back >= 0; --back) {
        const std::int64_t day = now - std::int64_t{back} * 24 * 60 * 60;
        SessionRecord session{path,
                              0,
                              day,
                              day + 3600,
                              1000 * (365 - back),
                              1000 * (366 - back),
                              {{LocalDay(day), {1200, 200, 3600}}}};
        log.Write(session);
    }
    log.SetGoal(path, WritingGoal{GoalUnit::Characters, 500000, 1000, LocalDayBefore(now, -60)});
}

void BM_OpenChartYear(benchmark::State& state)
{
    const std::string path = WriteBenchFile("year.txt", "text\r\n");
    FillYear(path);
    Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeBenchWindow();
        form->OpenFile(path);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        samples.Start();
        form->findChild<QAction*>("WritingLogItem")->trigger();
        auto* window = form->findChild<QWidget*>("WritingLogWindow");
        if (!QTest::qWaitForWindowExposed(window))
            state.SkipWithError("the window did not show");
        window->repaint();
        samples.Stop();
    }
    samples.Report(state);
}

BENCHMARK(BM_WriteSession)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenChartYear)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
