// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of one long paragraph (the novel's lines joined, about 600 KB of UTF-16): broken whole,
// as when it is first measured, and broken again after a key in its middle, as the view does on
// every key. Advances are one cell for every character and half for ASCII, as a monospaced
// Japanese font gives them; a row is 40 cells.
#include "NovelCorpus.h"

#include "analysis/Cp932Codec.h"
#include "paper/TPaper.h"
#include "rows/RowBreaker.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

struct Paragraph
{
    std::u16string text;
    std::vector<double> advances;
};

const Paragraph& LongParagraph()
{
    static const Paragraph paragraph = [] {
        Paragraph made;
        for (const char16_t unit : Cp932::Decode(MakeNovelCorpus(600 * 1024)))
            if (unit != u'\r' && unit != u'\n')
                made.text += unit;
        for (const char16_t unit : made.text)
            made.advances.push_back(unit < 0x80 ? 0.5 : 1.0);
        return made;
    }();
    return paragraph;
}

constexpr double Width = 40;

void BM_BreakParagraph600KB(benchmark::State& state)
{
    const Paragraph& paragraph = LongParagraph();
    const RowBreaker breaker = RowBreaker::ForPaper(TPaper());
    for (auto _ : state)
        benchmark::DoNotOptimize(breaker.Break(paragraph.text, paragraph.advances, Width));
}
BENCHMARK(BM_BreakParagraph600KB)->Unit(benchmark::kMillisecond);

void BM_RebreakKeyInParagraph600KB(benchmark::State& state)
{
    Paragraph paragraph = LongParagraph();
    const RowBreaker breaker = RowBreaker::ForPaper(TPaper());
    RowStarts rows = breaker.Break(paragraph.text, paragraph.advances, Width);
    const auto at = static_cast<std::int32_t>(paragraph.text.size() / 2);
    bool typed = false;
    for (auto _ : state) {
        // A key, then Backspace: the paragraph and its rows come back to where they were.
        if (!typed) {
            paragraph.text.insert(at, 1, u'あ');
            paragraph.advances.insert(paragraph.advances.begin() + at, 1.0);
        } else {
            paragraph.text.erase(at, 1);
            paragraph.advances.erase(paragraph.advances.begin() + at);
        }
        rows = breaker.Rebreak(paragraph.text, paragraph.advances, Width, rows, at, typed ? 1 : 0,
                               typed ? 0 : 1);
        typed = !typed;
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_RebreakKeyInParagraph600KB)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
