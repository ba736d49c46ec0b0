// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The manuscript preview with the 1 MiB benchmark novel open at 20 x 20: the time from the
// command to the first sheet painted, from a page turn to the next sheet painted, from a switch
// between the sheets and the submission pages to the first page painted, and for the PDF (sheets
// and submission) of the whole novel (with the longest stretch between two turns of the event loop,
// during which the window could not answer). Runs the real TForm1 on the offscreen platform.
//   build/bin/kotonami_bench_preview

#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"
#include "WindowBench.h"
#include "app/TForm1.h"
#include "preview/ManuscriptPreview.h"
#include "preview/ManuscriptView.h"

#include <QAction>
#include <QApplication>
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

double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// The window with the novel open; its preview, once asked for, stays with it.
TForm1& Window()
{
    static const std::unique_ptr<TForm1> form = [] {
        auto window = MakeBenchWindow();
        window->OpenFile(WriteBenchFile("novel.txt", MakeNovelCorpus(OneMiB)));
        return window;
    }();
    return *form;
}

ManuscriptPreview* OpenPreview()
{
    Window().findChild<QAction*>("ManuscriptPreviewItem")->trigger();
    auto* preview = Window().findChild<ManuscriptPreview*>();
    (void)preview->findChild<ManuscriptView*>()->grab(); // the sheet painted in full
    return preview;
}

void ReportDistribution(benchmark::State& state, std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["max_ms"] = milliseconds.back();
}

// From the menu command to the first sheet painted, the preview closed in between. The first
// time also builds the window and loads the face.
void BM_FirstSheetOnScreen(benchmark::State& state)
{
    Window();
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        ManuscriptPreview* preview = OpenPreview();
        samples.push_back(Milliseconds(start));
        state.counters["sheets"] = preview->SheetCount();
        preview->close();
    }
    ReportDistribution(state, std::move(samples));
}

// From PageDown to the next sheet painted.
void BM_TurnPage(benchmark::State& state)
{
    ManuscriptPreview* preview = OpenPreview();
    QAction* next = preview->findChild<QAction*>("NextSheetItem");
    auto* view = preview->findChild<ManuscriptView*>();
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        next->trigger();
        (void)view->grab();
        samples.push_back(Milliseconds(start));
    }
    ReportDistribution(state, std::move(samples));
    preview->close();
}

// The whole novel as PDF; longest_page_ms is the longest the window goes without answering.
void BM_PdfWholeNovel(benchmark::State& state)
{
    ManuscriptPreview* preview = OpenPreview();
    std::vector<double> pages;
    auto last = Clock::now();
    QObject::connect(preview, &ManuscriptPreview::ExportProgress, preview, [&] {
        pages.push_back(Milliseconds(last));
        last = Clock::now();
    });
    for (auto _ : state) {
        last = Clock::now();
        if (!preview->ExportPdf(BenchFolder().filePath("novel.pdf"), PdfPaper::B4))
            state.SkipWithError("the export failed");
    }
    std::sort(pages.begin(), pages.end());
    state.counters["pages"] = preview->SheetCount();
    state.counters["longest_page_ms"] = pages.empty() ? 0 : pages.back();
    preview->close();
}

// From the layout's switch to its first page painted: the submission pages and back to the sheets.
void BM_SwitchLayout(benchmark::State& state)
{
    ManuscriptPreview* preview = OpenPreview();
    auto* view = preview->findChild<ManuscriptView*>();
    std::vector<double> toSubmission, toSheets;
    for (auto _ : state) {
        for (const auto& [name, samples] :
             {std::pair{"SubmissionItem", &toSubmission}, std::pair{"SheetsItem", &toSheets}}) {
            const auto start = Clock::now();
            preview->findChild<QAction*>(name)->trigger();
            (void)view->grab();
            samples->push_back(Milliseconds(start));
        }
    }
    std::sort(toSubmission.begin(), toSubmission.end());
    std::sort(toSheets.begin(), toSheets.end());
    state.counters["to_submission_median_ms"] = toSubmission[toSubmission.size() / 2];
    state.counters["to_submission_max_ms"] = toSubmission.back();
    state.counters["to_sheets_median_ms"] = toSheets[toSheets.size() / 2];
    state.counters["to_sheets_max_ms"] = toSheets.back();
    preview->close();
}

// The whole novel as a submission PDF (40 x 30 on A4).
void BM_SubmissionPdfWholeNovel(benchmark::State& state)
{
    ManuscriptPreview* preview = OpenPreview();
    preview->findChild<QAction*>("SubmissionItem")->trigger();
    for (auto _ : state)
        if (!preview->ExportPdf(BenchFolder().filePath("submission.pdf"), PdfPaper::A4))
            state.SkipWithError("the export failed");
    state.counters["pages"] = preview->SheetCount();
    preview->findChild<QAction*>("SheetsItem")->trigger();
    preview->close();
}

BENCHMARK(BM_FirstSheetOnScreen)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnPage)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfWholeNovel)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchLayout)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubmissionPdfWholeNovel)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
