// Throughput of the counting core on a novel-like manuscript: the information panel recounts the
// whole text on every keystroke, so these run once per keystroke on a whole novel.
#include "NovelCorpus.h"

#include "analysis/CharacterCensus.h"
#include "analysis/PhraseCount.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCharacterSet.h"
#include "analysis/WordCount.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& Corpus(std::size_t bytes)
{
    static const std::string oneMiB = MakeNovelCorpus(OneMiB);
    static const std::string sixteenMiB = MakeNovelCorpus(SixteenMiB);
    return bytes == OneMiB ? oneMiB : sixteenMiB;
}

template <class Count> void Run(benchmark::State& state, Count count)
{
    const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(count(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

void BM_CountText(benchmark::State& state)
{
    Run(state, [](const std::string& text) { return CountText(text, CountOptions{}, 1); });
}

void BM_CountWords(benchmark::State& state)
{
    const WordCharacterSet words;
    Run(state, [&words](const std::string& text) { return CountWords(text, words); });
}

void BM_CountCharacterTypes(benchmark::State& state)
{
    Run(state, [](const std::string& text) { return CountCharacterTypes(text, CountOptions{}); });
}

void BM_CountPhrase(benchmark::State& state)
{
    // "した", a two-character phrase frequent in a novel.
    const std::string phrase = "\x82\xB5\x82\xBD";
    Run(state, [&phrase](const std::string& text) { return CountPhrase(text, phrase); });
}

} // namespace

BENCHMARK(BM_CountText)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountWords)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountCharacterTypes)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountPhrase)->Arg(OneMiB)->Arg(SixteenMiB);

BENCHMARK_MAIN();
