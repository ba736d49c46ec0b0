// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// kotonami-count against GNU wc on the same novel: --stats on a 16 MiB Shift-JIS novel and on its
// UTF-8 twin, each run as a process right after `wc -mlw` on the UTF-8 twin, so that the two of a
// pair meet the same machine load. The counters give the time ratio of the pair and the peak
// memory of kotonami-count as a multiple of its file's size. Then --stats on a 2 GiB file whose
// text a NUL ends after six bytes: its time and peak memory.

#include "NovelCorpus.h"

#include "analysis/Cp932Codec.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string TemporaryName()
{
    char name[] = "/tmp/kotonami-bench-cli-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0)
        ::close(fd);
    return name;
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::size_t FileSize(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

struct Corpus
{
    std::string shiftJisPath;
    std::string utf8Path;
    std::size_t shiftJisSize = 0;
    std::size_t utf8Size = 0;

    // The novel is made in a child process: the peak memory the kernel reports for a spawned
    // child starts from this process's own peak, which must therefore stay small.
    Corpus()
    {
        shiftJisPath = TemporaryName();
        utf8Path = TemporaryName();
        const pid_t maker = ::fork();
        if (maker == 0) {
            const std::string shiftJis = MakeNovelCorpus(SixteenMiB);
            Write(shiftJisPath, shiftJis);
            Write(utf8Path, Cp932::DecodeToUtf8(shiftJis));
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(maker, &status, 0);
        shiftJisSize = FileSize(shiftJisPath);
        utf8Size = FileSize(utf8Path);
    }
    ~Corpus()
    {
        std::remove(shiftJisPath.c_str());
        std::remove(utf8Path.c_str());
    }
};

const Corpus& TheCorpus()
{
    static const Corpus corpus;
    return corpus;
}

struct RunResult
{
    double seconds = 0;
    long peakKiB = 0;
};

// Runs the command with its output thrown away; the time from spawn to exit and the peak
// resident size of the child.
RunResult Run(std::vector<std::string> arguments, bool utf8Locale)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"PATH=/usr/bin:/bin",
                                            utf8Locale ? "LC_ALL=C.UTF-8" : "LC_ALL=C"};
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    RunResult result;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        result.peakKiB = usage.ru_maxrss;
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

void StatsAgainstWc(benchmark::State& state, bool utf8)
{
    const Corpus& corpus = TheCorpus();
    const std::string& path = utf8 ? corpus.utf8Path : corpus.shiftJisPath;
    const std::size_t size = utf8 ? corpus.utf8Size : corpus.shiftJisSize;
    double ours = 0;
    double theirs = 0;
    long peakKiB = 0;
    for (auto _ : state) {
        const RunResult wc = Run({"/usr/bin/wc", "-mlw", corpus.utf8Path}, true);
        std::vector<std::string> arguments = {KOTONAMI_COUNT_PATH, "--stats"};
        if (utf8) {
            arguments.push_back("--input-encoding");
            arguments.push_back("utf-8");
        }
        arguments.push_back(path);
        const RunResult count = Run(arguments, true);
        state.SetIterationTime(count.seconds);
        ours += count.seconds;
        theirs += wc.seconds;
        peakKiB = std::max(peakKiB, count.peakKiB);
    }
    state.counters["ratio_to_wc"] = ours / theirs;
    state.counters["peak_per_file_size"] =
        static_cast<double>(peakKiB) * 1024.0 / static_cast<double>(size);
}

void BM_StatsShiftJisAgainstWc(benchmark::State& state)
{
    StatsAgainstWc(state, false);
}
BENCHMARK(BM_StatsShiftJisAgainstWc)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_StatsUtf8AgainstWc(benchmark::State& state)
{
    StatsAgainstWc(state, true);
}
BENCHMARK(BM_StatsUtf8AgainstWc)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A 2 GiB file of six bytes of text and a NUL after them, made anew (sparse, no page of it read
// yet) for every run: reading stops at the NUL, so the time and the peak memory are those of a
// six-byte text.
void BM_StatsOfATextThatANulEndsInA2GiBFile(benchmark::State& state)
{
    long peakKiB = 0;
    for (auto _ : state) {
        const std::string path = TemporaryName();
        Write(path, "abcdef");
        if (::truncate(path.c_str(), off_t{2} << 30) != 0)
            state.SkipWithError("no sparse file");
        const RunResult count = Run({KOTONAMI_COUNT_PATH, "--stats", path}, true);
        std::remove(path.c_str());
        state.SetIterationTime(count.seconds);
        peakKiB = std::max(peakKiB, count.peakKiB);
    }
    state.counters["peak_KiB"] = static_cast<double>(peakKiB);
}
BENCHMARK(BM_StatsOfATextThatANulEndsInA2GiBFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

BENCHMARK_MAIN();
