// The gutter refreshes on every key press and scroll step of a long manuscript: it must count only
// the lines in view. Run (medians):
//   build/bin/kotonami_bench_gutter --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true

#include "NovelCorpus.h"
#include "analysis/Cp932Codec.h"
#include "controls/TLineInfo.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// A window of the usual size with a 1 MiB manuscript in the editor and the gutter beside it.
struct Page
{
    QWidget window;
    QPlainTextEdit* editor = new QPlainTextEdit(&window);
    TLineInfo* gutter = new TLineInfo(&window);

    Page()
    {
        window.resize(800, 600);
        editor->setGeometry(60, 0, 740, 600);
        const std::u16string text =
            Cp932::Decode(MakeNovelCorpus(OneMiB), Cp932::LineBreaks::Convert);
        editor->setPlainText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
        gutter->SetDefaultAddStr(QStringLiteral("0"));
        gutter->SetEditor(editor);
        gutter->setFont(editor->font());
        window.show();
        const int top = editor->y() + gutter->EditorTextTop();
        gutter->move(4, top);
        gutter->SetSize(gutter->width(), window.height() - top);
        editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum() / 2);
        gutter->Refresh();
        QApplication::processEvents();
    }
};

Page& ThePage()
{
    static Page page;
    return page;
}

// The refresh the window runs after a key press: count the rows in view and paint.
void BM_RefreshAfterKeyPress(benchmark::State& state)
{
    Page& page = ThePage();
    QTest::keyClick(page.editor, Qt::Key_Down);
    for (auto _ : state) {
        page.gutter->Refresh();
        page.gutter->repaint();
    }
}
BENCHMARK(BM_RefreshAfterKeyPress)->Unit(benchmark::kMicrosecond);

// One scroll step: the gutter follows the scroll bar by itself and redraws its buffer. The
// editor's own repaint of its text is left out (it is the same with or without the gutter); the
// second run, with the gutter detached, shows what the editor's scroll alone costs.
void ScrollSteps(benchmark::State& state, bool withGutter)
{
    Page& page = ThePage();
    page.gutter->SetEditor(withGutter ? page.editor : nullptr);
    QScrollBar* bar = page.editor->verticalScrollBar();
    int step = 1;
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - 1 || bar->value() <= 1)
            step = -step;
        bar->setValue(bar->value() + step);
    }
    page.gutter->SetEditor(page.editor);
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
