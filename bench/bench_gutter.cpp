// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The gutter repaints on every key press and scroll step of a long manuscript: it must count only
// the lines in view. Run (medians):
//   build/bin/kotonami_bench_gutter --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true

#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"
#include "analysis/Cp932Codec.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// An editor of the usual size with a 1 MiB manuscript, scrolled to the middle, its gutter inside.
struct Page
{
    TRichEditEx editor;
    TLineInfo* gutter = editor.LineInfo();

    Page()
    {
        editor.SetInitializing(false);
        editor.setLineWrapMode(QPlainTextEdit::NoWrap);
        editor.resize(800, 600);
        const std::u16string text =
            Cp932::Decode(MakeNovelCorpus(OneMiB), Cp932::LineBreaks::Convert);
        editor.setPlainText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
        gutter->SetDefaultAddStr(QStringLiteral("0"));
        editor.show();
        editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum() / 2);
        QApplication::processEvents();
    }
};

Page& ThePage()
{
    static Page page;
    return page;
}

// The gutter's paint after a key press: one walk over the rows in view, counting and drawing.
void BM_RefreshAfterKeyPress(benchmark::State& state)
{
    Page& page = ThePage();
    QTest::keyClick(&page.editor, Qt::Key_Down);
    for (auto _ : state)
        page.gutter->repaint();
}
BENCHMARK(BM_RefreshAfterKeyPress)->Unit(benchmark::kMicrosecond);

// One scroll step with the gutter following it and painted. The editor's own repaint of its text
// is left out (it is the same with or without the gutter); the second run, with the gutter
// switched off, shows what the editor's scroll alone costs.
void ScrollSteps(benchmark::State& state, bool withGutter)
{
    Page& page = ThePage();
    page.gutter->SetShowLineNum(withGutter);
    page.gutter->SetShowAddStr(withGutter);
    QScrollBar* bar = page.editor.verticalScrollBar();
    int step = 1;
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - 1 || bar->value() <= 1)
            step = -step;
        bar->setValue(bar->value() + step);
        page.gutter->repaint();
    }
    page.gutter->SetShowLineNum(true);
    page.gutter->SetShowAddStr(true);
}
void BM_ScrollStep(benchmark::State& state)
{
    ScrollSteps(state, true);
}
void BM_ScrollStepWithoutGutter(benchmark::State& state)
{
    ScrollSteps(state, false);
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepWithoutGutter)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
