// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The character area of a 1 MiB novel in the real window on the offscreen platform, at the
// default font: the whole-text command from the trigger until the result dialog is up, with the
// event-loop turns between the lines. Counters: lines per second, the longest gap between two
// turns of a 1 ms timer during the measurement (how long the window leaves input waiting), and
// how much the resident memory grew at its peak.
//   build/bin/kotonami_bench_area

#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"
#include "WindowBench.h"
#include "app/FontSetup.h"
#include "app/TForm1.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TResultForm.h"
#include "documents/Document.h"
#include "graphics/GraphicsFunc.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void BM_WholeTextArea1MiB(benchmark::State& state)
{
    const std::string novel = MakeNovelCorpus(OneMiB, 1);
    const std::string path = WriteBenchFile("novel.txt", novel);
    const auto lines = static_cast<double>(SplitLines(novel).size());
    auto form = MakeBenchWindow();
    form->OpenFile(path);
    QAction* command = form->findChild<QAction*>("CharAreaItem");

    double seconds = 0, cpuSeconds = 0, longestGapMs = 0;
    long peakGrowthKiB = 0;
    for (auto _ : state) {
        const long before = ResidentKiB();
        const auto start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        auto lastTick = start;
        double gap = 0;
        long peak = before;
        int ticks = 0;
        // Answers the result dialog once it is up, and notes how regularly the loop turns.
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            const auto now = Clock::now();
            gap = std::max(gap, std::chrono::duration<double, std::milli>(now - lastTick).count());
            lastTick = now;
            if (++ticks % 20 == 0)
                peak = std::max(peak, ResidentKiB());
            if (auto* result = qobject_cast<TResultForm*>(QApplication::activeModalWidget())) {
                seconds += std::chrono::duration<double>(now - start).count();
                cpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
                result->accept();
            }
        });
        poll.start();
        command->trigger();
        poll.stop();
        longestGapMs = std::max(longestGapMs, gap);
        peakGrowthKiB = std::max(peakGrowthKiB, peak - before);
    }
    state.counters["lines_per_s"] = lines * static_cast<double>(state.iterations()) / seconds;
    // On a machine shared with other work the wall-clock rate falls with the load; the rate per
    // second of this program's own processor time does not.
    state.counters["lines_per_cpu_s"] =
        lines * static_cast<double>(state.iterations()) / cpuSeconds;
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["rss_growth_KiB"] = static_cast<double>(peakGrowthKiB);
    state.counters["lines"] = lines;
}

// The drawing and counting alone, without the window: the measure's own share of the time.
void BM_GetStringAreaOnly1MiB(benchmark::State& state)
{
    const std::vector<std::string> lines = SplitLines(MakeNovelCorpus(OneMiB, 1));
    QFont editorFont(DesignFontName, DesignFontPointSize);
    const QFont font = GraphicsFunc::MeasuringFont(editorFont);
    GraphicsFunc::AreaCanvas canvas;
    std::int64_t covered = 0, total = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            std::int64_t area = 0;
            covered += GraphicsFunc::GetStringArea(line, area, font, canvas);
            total += area;
        }
    }
    benchmark::DoNotOptimize(covered + total);
    // The share the writer is shown: the glyphs' coverage of the lines' boxes.
    state.counters["share_percent"] =
        static_cast<double>(covered) * 100 / static_cast<double>(std::max<std::int64_t>(total, 1));
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(lines.size() * state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_GetStringAreaOnly1MiB)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeTextArea1MiB)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, SetupFonts);
}
