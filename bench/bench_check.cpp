// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The manuscript check over a novel: all eight rules over the whole text (as kotonami-count
// --check and the window's first check do), on the plain novel and on one with a fault of every
// rule every few lines; and what the window's list pays for a key: one line re-checked among the
// kept findings of a 16 MiB novel, in place, and for Enter, which adds a line.
//   build/bin/kotonami_bench_check --benchmark_min_time=1s

#include "NovelCorpus.h"

#include "analysis/CheckedLines.h"
#include "analysis/Cp932Codec.h"
#include "analysis/ManuscriptCheck.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The novel with a fault at the start of a line every 400 bytes or so: an odd ellipsis, a lone
// dash, a missing blank after ！, 。 before 」, an unindented line, an unclosed bracket, 、、 and
// half-width kana, in turn.
std::string WithFaults(const std::string& text)
{
    std::vector<std::string> faults;
    for (const char* fault : {"…", "―", "！あ", "。」", "", "「", "、、", "ｶ"}) {
        std::string bytes;
        Cp932::EncodeFromUtf8(fault, bytes);
        faults.push_back(bytes);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 100);
    std::size_t fault = 0;
    std::size_t last = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) {
        if (at - last < 400)
            continue;
        out.append(text, last, at + 2 - last);
        out += faults[fault++ % faults.size()];
        last = at + 2;
    }
    out.append(text, last);
    return out;
}

const std::string& Novel(std::size_t bytes, bool faults)
{
    static const std::string plain1 = MakeNovelCorpus(OneMiB);
    static const std::string plain16 = MakeNovelCorpus(SixteenMiB);
    static const std::string faulty16 = WithFaults(plain16);
    if (faults)
        return faulty16;
    return bytes == OneMiB ? plain1 : plain16;
}

void BM_CheckText(benchmark::State& state)
{
    const std::string& text = Novel(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    std::size_t findings = 0;
    for (auto _ : state) {
        const auto found = CheckText(text, CheckSwitches());
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// One key in the middle of the novel: its line, one character longer, checked again in place;
// with `enter`, the line cut in two, so that the lines after it move.
void KeepFindingsOverAKey(benchmark::State& state, bool enter)
{
    std::vector<std::string> lines = LinesOf(Novel(SixteenMiB, true));
    CheckedLines kept;
    kept.Reset(CheckSwitches());
    const LineSource text = [&lines](std::size_t n) { return std::string_view(lines[n]); };
    kept.Replace(0, 0, lines.size(), text, lines.size());
    const std::size_t middle = lines.size() / 2;
    // The line before and after the key, in turn, so that the line keeps its length.
    const std::string shapes[] = {lines[middle], lines[middle] + "a"};
    std::size_t key = 0;
    for (auto _ : state) {
        const std::string& line = shapes[++key % 2];
        if (enter) {
            lines[middle] = line.substr(0, line.size() / 2);
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(middle) + 1,
                         line.substr(line.size() / 2));
            kept.Replace(middle, 1, 2, text, lines.size());
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(middle) + 1);
            lines[middle] = line;
            kept.Replace(middle, 2, 1, text, lines.size());
        } else {
            lines[middle] = line;
            kept.Replace(middle, 1, 1, text, lines.size());
        }
    }
    state.counters["lines"] = static_cast<double>(kept.Count());
}

void BM_KeyInPlace16MiB(benchmark::State& state)
{
    KeepFindingsOverAKey(state, false);
}

void BM_EnterAndJoin16MiB(benchmark::State& state)
{
    KeepFindingsOverAKey(state, true);
}

} // namespace

BENCHMARK(BM_CheckText)
    ->Args({OneMiB, 0})
    ->Args({SixteenMiB, 0})
    ->Args({SixteenMiB, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyInPlace16MiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnterAndJoin16MiB)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
