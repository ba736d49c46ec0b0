// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a manuscript: reading the file, cutting it into lines and building the editor's text.

#include "NovelCorpus.h"

#include "analysis/Cp932Codec.h"
#include "documents/Document.h"
#include "documents/FileReading.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class CorpusFile
{
public:
    explicit CorpusFile(std::size_t bytes)
    {
        char name[] = "/tmp/kotonami-bench-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd >= 0)
            ::close(fd);
        FPath = name;
        const std::string corpus = MakeNovelCorpus(bytes);
        std::ofstream(FPath, std::ios::binary)
            .write(corpus.data(), static_cast<std::streamsize>(corpus.size()));
    }
    CorpusFile(const CorpusFile&) = delete;
    CorpusFile& operator=(const CorpusFile&) = delete;
    ~CorpusFile() { std::remove(FPath.c_str()); }
    const std::string& Path() const noexcept { return FPath; }

private:
    std::string FPath;
};

void BM_OpenDocument(benchmark::State& state)
{
    const CorpusFile file(SixteenMiB);
    for (auto _ : state) {
        Document document;
        document.SetText(ReadTextFile(file.Path(), std::nullopt).shiftJis);
        std::string text = document.GetText();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(SixteenMiB));
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

// Telling the encoding of a 16 MiB novel: in Shift-JIS (decided at its first kana), and in EUC-JP,
// where both readings are made whole and weighed.
void BM_DetectEncoding(benchmark::State& state)
{
    std::string bytes = MakeNovelCorpus(SixteenMiB);
    if (state.range(0) == 1) {
        std::u16string text;
        Cp932::Decode(bytes, text);
        std::string euc;
        EncodeText(text, TextEncoding::EucJp, LineBreak::Lf, true, euc);
        bytes = std::move(euc);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectEncoding(bytes).encoding);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DetectEncoding)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
