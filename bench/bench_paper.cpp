// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Manuscript arrangement, sheet count and width conversion over novel-sized texts.
#include "NovelCorpus.h"
#include "paper/DoubleByteConversion.h"
#include "paper/TPaper.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& Corpus(std::size_t bytes)
{
    static const std::string oneMiB = MakeNovelCorpus(OneMiB);
    static const std::string sixteenMiB = MakeNovelCorpus(SixteenMiB);
    return bytes == OneMiB ? oneMiB : sixteenMiB;
}

TPaper PaperOf(std::int64_t column)
{
    TPaper paper;
    paper.Column = static_cast<std::int32_t>(column);
    return paper;
}

// Arguments: corpus size, Column.
void BM_Arrange(benchmark::State& state)
{
    const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
    const TPaper paper = PaperOf(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(paper.Arrange(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Count(benchmark::State& state)
{
    const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
    const TPaper paper = PaperOf(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(paper.Count(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ConvertToDoubleBytes(benchmark::State& state)
{
    const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertToDoubleBytes(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ConvertKanaToDoubleBytes(benchmark::State& state)
{
    const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertKanaToDoubleBytes(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void PaperSizes(benchmark::internal::Benchmark* b)
{
    for (std::int64_t column : {20, 40})
        for (std::int64_t bytes : {std::int64_t{OneMiB}, std::int64_t{SixteenMiB}})
            b->Args({bytes, column});
    b->Unit(benchmark::kMillisecond);
}

void CorpusSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(static_cast<std::int64_t>(OneMiB))->Arg(static_cast<std::int64_t>(SixteenMiB));
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Arrange)->Apply(PaperSizes);
BENCHMARK(BM_Count)->Apply(PaperSizes);
BENCHMARK(BM_ConvertToDoubleBytes)->Apply(CorpusSizes);
BENCHMARK(BM_ConvertKanaToDoubleBytes)->Apply(CorpusSizes);

BENCHMARK_MAIN();
