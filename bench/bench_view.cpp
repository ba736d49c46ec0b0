// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor view of our own pays to know the rows of a 4.3 MB file of one line, in the
// sheets' font at 20 px: the advances of every character (a table already filled, as after the
// first screen), then the rows at 800 px; a key in the middle of that line; and the view itself
// opening that line and taking a key in a 600 KB paragraph.
#include "NovelCorpus.h"
#include "QtBenchmarkMain.h"

#include "analysis/Cp932Codec.h"
#include "controls/AdvanceTable.h"
#include "controls/NullDocumentLayout.h"
#include "controls/TextView.h"
#include "controls/TrackedSelection.h"
#include "paper/TPaper.h"
#include "rows/RowBreaker.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

const QString& OneLine()
{
    static const QString line = [] {
        QString made = QString::fromStdU16String(Cp932::Decode(MakeNovelCorpus(4300 * 1024)));
        made.remove(QLatin1Char('\r'));
        made.remove(QLatin1Char('\n'));
        return made;
    }();
    return line;
}

QFont SheetsFont()
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(20);
    return font;
}

void BM_MeasureOneLine4MB(benchmark::State& state)
{
    AdvanceTable table(SheetsFont());
    std::vector<double> advances;
    table.Measure(OneLine(), advances); // the table filled
    for (auto _ : state) {
        advances.clear();
        table.Measure(OneLine(), advances);
        benchmark::DoNotOptimize(advances.data());
    }
}
BENCHMARK(BM_MeasureOneLine4MB)->Unit(benchmark::kMillisecond);

void BM_RowsOfOneLine4MB(benchmark::State& state)
{
    AdvanceTable table(SheetsFont());
    std::vector<double> advances;
    table.Measure(OneLine(), advances);
    const RowBreaker breaker = RowBreaker::ForPaper(TPaper());
    const std::u16string_view text(reinterpret_cast<const char16_t*>(OneLine().utf16()),
                                   static_cast<std::size_t>(OneLine().size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(breaker.Break(text, advances, 800));
}
BENCHMARK(BM_RowsOfOneLine4MB)->Unit(benchmark::kMillisecond);

// A key in the middle of the 4.3 MB line through the document the view edits: a do-nothing
// layout, the caret kept as a plain position, the edit in an edit block so that no cursor works
// out its x position.
void BM_KeyInOneLine4MB(benchmark::State& state)
{
    QTextDocument document;
    document.setDocumentLayout(new NullDocumentLayout(&document));
    document.setPlainText(OneLine());
    TrackedSelection caret(document);
    caret.MoveTo(static_cast<int>(OneLine().size() / 2));
    bool typed = false;
    for (auto _ : state) {
        QTextCursor edit(&document);
        edit.beginEditBlock();
        edit.setPosition(caret.Position());
        if (typed)
            edit.setPosition(caret.Position() - 1, QTextCursor::KeepAnchor);
        edit.insertText(typed ? QString() : QStringLiteral("あ"));
        edit.endEditBlock();
        typed = !typed;
    }
}
BENCHMARK(BM_KeyInOneLine4MB)->Unit(benchmark::kMicrosecond);

// The view opening the 4.3 MB line: the document made, the rows measured and the first screen
// drawn, as a writer waits for it.
void BM_ViewOpenOneLine4MB(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument document;
        document.setPlainText(OneLine());
        TextView view;
        view.setFont(SheetsFont());
        view.resize(800, 600);
        view.SetDocument(&document);
        view.show();
        view.viewport()->repaint();
    }
}
BENCHMARK(BM_ViewOpenOneLine4MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A key in the middle of a paragraph of 600 KB (wrapped at 800 px) and the screen drawn again.
void BM_ViewKeyInParagraph600KB(benchmark::State& state)
{
    QTextDocument document;
    document.setPlainText(OneLine().left(300 * 1024));
    TextView view;
    view.setFont(SheetsFont());
    view.resize(800, 600);
    view.SetDocument(&document);
    view.show();
    view.SetCaret(static_cast<int>(document.characterCount() / 2));
    bool typed = false;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, typed ? Qt::Key_Backspace : Qt::Key_A, Qt::NoModifier,
                      typed ? QString() : QStringLiteral("あ"));
        QApplication::sendEvent(&view, &key);
        view.viewport()->repaint();
        typed = !typed;
    }
}
BENCHMARK(BM_ViewKeyInParagraph600KB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
