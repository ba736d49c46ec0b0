// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters of a 16 MiB novel of 400 chapters: finding them, counting them, and the sheets of
// one chapter of 40,000 characters.
#include "NovelCorpus.h"
#include "analysis/Chapters.h"
#include "paper/ChapterTable.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& Novel()
{
    static const std::string novel = MakeChapteredNovel(SixteenMiB, 400);
    return novel;
}

// Argument: 1 with the writer's own pattern, which is matched with every line.
void BM_FindChapters(benchmark::State& state)
{
    const std::string& text = Novel();
    HeadingRules rules;
    if (state.range(0) != 0)
        rules.SetExtraPattern("^◆");
    for (auto _ : state) {
        std::vector<std::size_t> starts;
        const auto headings = FindHeadings(text, rules, &starts);
        benchmark::DoNotOptimize(ChaptersOf(headings, starts.size(), true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The whole table of kotonami-count --chapters: every chapter's characters and sheets.
void BM_CountChapters(benchmark::State& state)
{
    const std::string& text = Novel();
    const HeadingRules rules;
    const TPaper paper;
    for (auto _ : state)
        benchmark::DoNotOptimize(CountChapters(text, rules, CountOptions(), paper));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The sheets of a chapter of 40,000 double-byte characters, as the panel recounts them after the
// writer pauses.
void BM_ChapterSheets(benchmark::State& state)
{
    const std::string chapter = MakeNovelCorpus(80'000, 7);
    const TPaper paper;
    for (auto _ : state)
        benchmark::DoNotOptimize(ChapterSheets(paper, chapter, state.range(0) != 0));
    state.counters["characters"] = CountText(chapter, CountOptions()).characters;
}

} // namespace

BENCHMARK(BM_FindChapters)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountChapters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChapterSheets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
