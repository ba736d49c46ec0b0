// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the counting core on a novel-like manuscript: the information panel recounts the
// whole text on every keystroke, so these run once per keystroke on a whole novel.
#include "NovelCorpus.h"

#include "analysis/CharacterCensus.h"
#include "analysis/PhraseCount.h"
#include "analysis/ShiftJis.h"
#include "analysis/TextAsRead.h"
#include "analysis/TextStatistics.h"
#include "analysis/WideBlocks.h"
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

// The novel with a ruby after every 40th character: "｜漢字《かんじ》" or "東京《とうきょう》".
std::string WithRuby(const std::string& text)
{
    static const std::string rubies[] = {
        "\x81\x62\x8A\xBF\x8E\x9A\x81\x73\x82\xA9\x82\xF1\x82\xB6\x81\x74",
        "\x93\x8C\x8B\x9E\x81\x73\x82\xC6\x82\xA4\x82\xAB\x82\xE5\x82\xA4\x81\x74"};
    std::string out;
    out.reserve(text.size() * 3 / 2);
    int characters = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        out.append(text, c.position, c.length);
        if (++characters % 40 == 0)
            out += rubies[(characters / 40) % 2];
    }
    return out;
}

const std::string& RubyCorpus(std::size_t bytes)
{
    static const std::string oneMiB = WithRuby(MakeNovelCorpus(OneMiB));
    static const std::string sixteenMiB = WithRuby(MakeNovelCorpus(SixteenMiB));
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

// The characters of a manuscript with ruby, counted as written and as read: the difference is
// what leaving out the readings costs on top of the count.
void BM_CountTextWithRuby(benchmark::State& state)
{
    const std::string& text = RubyCorpus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountText(text, CountOptions{}, 1));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

void BM_CountTextAsRead(benchmark::State& state)
{
    const std::string& text = RubyCorpus(static_cast<std::size_t>(state.range(0)));
    CountOptions asRead;
    asRead.excludeRuby = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(CountText(text, asRead, 1));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// The same three on the 16-byte walk, which processors without the 512-bit byte instructions
// take.
template <void (*Case)(benchmark::State&)> void OnNarrowBlocks(benchmark::State& state)
{
    KeepToNarrowBlocks(true);
    Case(state);
    KeepToNarrowBlocks(false);
}

} // namespace

BENCHMARK(OnNarrowBlocks<BM_CountText>)->Name("BM_CountTextNarrow")->Arg(SixteenMiB);
BENCHMARK(OnNarrowBlocks<BM_CountTextWithRuby>)
    ->Name("BM_CountTextWithRubyNarrow")
    ->Arg(SixteenMiB);
BENCHMARK(OnNarrowBlocks<BM_CountTextAsRead>)->Name("BM_CountTextAsReadNarrow")->Arg(SixteenMiB);
BENCHMARK(BM_CountText)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountWords)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountCharacterTypes)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountTextWithRuby)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountTextAsRead)->Arg(OneMiB)->Arg(SixteenMiB);
BENCHMARK(BM_CountPhrase)->Arg(OneMiB)->Arg(SixteenMiB);

BENCHMARK_MAIN();
