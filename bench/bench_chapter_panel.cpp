// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters panel beside a 16 MiB novel of 400 chapters: a typed character with the panel shown
// and hidden (the difference is the panel's share), the sheets of the changed chapters counted
// after the pause (a novel of 200 chapters of about 40,000 characters, every tenth a part holding
// the nine after it), and showing the panel over a novel opened before. Runs the real TForm1 on the
// offscreen platform.
//   build/bin/kotonami_bench_chapter_panel

#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"
#include "WindowBench.h"
#include "app/ChapterOutline.h"
#include "controls/TRichEditEx.h"

#include <QAction>
#include <QTest>
#include <QTextBlock>

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TForm1> NovelWindow(std::size_t chapters, bool panel)
{
    auto form = MakeBenchWindow();
    form->OpenFile(WriteBenchFile("chapters.txt", MakeChapteredNovel(SixteenMiB, chapters)));
    if (panel)
        form->findChild<QAction*>("ChapterPanelItem")->trigger();
    TRichEditEx* editor = form->Editor();
    editor->setFocus();
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(editor->document()->characterCount() / 2);
    editor->setTextCursor(cursor);
    QTest::keyClick(editor, 'a');
    return form;
}

// Argument: 1 with the panel shown, 0 without.
void BM_TypeWithPanel16MiB(benchmark::State& state)
{
    auto form = NovelWindow(400, state.range(0) != 0);
    Samples samples;
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            samples.Start();
            QTest::keyClick(form->Editor(), static_cast<char>('a' + i % 26));
            samples.Stop();
        }
    }
    samples.Report(state);
}

void BM_SheetsAfterPause16MiB(benchmark::State& state)
{
    auto form = NovelWindow(200, true);
    ChapterOutline* outline = ChapterOutline::Of(form->Editor()->Text());
    outline->CountSheets();
    Samples samples;
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(form->Editor(), 'a');
            samples.Start();
            outline->CountSheets();
            samples.Stop();
        }
    }
    samples.Report(state);
    const int chapter = outline->ChapterAt(form->Editor()->textCursor().blockNumber());
    state.counters["chapter_characters"] = outline->Chapters()[chapter].characters;
}

// The first showing reads every line for headings and counts every chapter from the sums; the
// sheets wait for the pause.
void BM_ShowPanel16MiB(benchmark::State& state)
{
    auto form = NovelWindow(400, false);
    QAction* item = form->findChild<QAction*>("ChapterPanelItem");
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        item->trigger();
        samples.Stop();
    }
    samples.Report(state);
}

} // namespace

BENCHMARK(BM_TypeWithPanel16MiB)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetsAfterPause16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowPanel16MiB)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
