// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding and encoding a whole novel, as the window does with the editor's text on every
// keystroke. Bytes per second are counted over the Shift-JIS text.
#include "NovelCorpus.h"
#include "analysis/Cp932Codec.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string& Corpus(std::size_t bytes)
{
    if (bytes == OneMiB) {
        static const std::string oneMiB = MakeNovelCorpus(OneMiB);
        return oneMiB;
    }
    static const std::string sixteenMiB = MakeNovelCorpus(SixteenMiB);
    return sixteenMiB;
}

void Decode(benchmark::State& state)
{
    const std::string& bytes = Corpus(static_cast<std::size_t>(state.range(0)));
    std::u16string text;
    for (auto _ : state) {
        text.clear();
        Cp932::Decode(bytes, text, Cp932::LineBreaks::Convert);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void Encode(benchmark::State& state)
{
    const std::string& bytes = Corpus(static_cast<std::size_t>(state.range(0)));
    const std::u16string text = Cp932::Decode(bytes, Cp932::LineBreaks::Convert);
    std::string saved;
    for (auto _ : state) {
        saved.clear();
        benchmark::DoNotOptimize(Cp932::Encode(text, saved, Cp932::LineBreaks::Convert));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// What a keystroke costs: fresh strings each time, as the window gets them.
void DecodeAndEncode(benchmark::State& state)
{
    const std::string& bytes = Corpus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const std::u16string text = Cp932::Decode(bytes, Cp932::LineBreaks::Convert);
        std::string saved;
        benchmark::DoNotOptimize(Cp932::Encode(text, saved, Cp932::LineBreaks::Convert));
        benchmark::DoNotOptimize(saved.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void DecodeToUtf8(benchmark::State& state)
{
    const std::string& bytes = Corpus(static_cast<std::size_t>(state.range(0)));
    std::string utf8;
    for (auto _ : state) {
        utf8.clear();
        Cp932::DecodeToUtf8(bytes, utf8);
        benchmark::DoNotOptimize(utf8.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

} // namespace

BENCHMARK(Decode)->Arg(OneMiB)->Arg(SixteenMiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(Encode)->Arg(OneMiB)->Arg(SixteenMiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeAndEncode)->Arg(OneMiB)->Arg(SixteenMiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeToUtf8)->Arg(OneMiB)->Arg(SixteenMiB)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
