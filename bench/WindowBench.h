// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks of the real window share: a folder of their own for files and settings, and
// the window as a writer sees it at start.

#include "app/TForm1.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <time.h>
#include <vector>

// The benchmarks' folder, removed when the program ends.
QTemporaryDir& BenchFolder();

// Writes `bytes` to a file of that name in the benchmarks' folder and gives its path.
std::string WriteBenchFile(const char* name, const std::string& bytes);

// The window started and shown at 800 × 600, with a settings file of its own already there: no
// first-start question, nothing left beside the program.
std::unique_ptr<TForm1> MakeBenchWindow();

// The milliseconds of each step, on the clock and in this thread's processor time: the machine
// may be shared, and processor time leaves out the waits for other programs.
class Samples
{
    using Clock = std::chrono::steady_clock;

public:
    void Start()
    {
        FWallStart = Clock::now();
        FCpuStart = CpuMilliseconds();
    }
    void Stop()
    {
        FWall.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - FWallStart).count());
        FCpu.push_back(CpuMilliseconds() - FCpuStart);
    }
    void Report(benchmark::State& state)
    {
        Put(state, FWall, "");
        Put(state, FCpu, "cpu_");
    }

    static double CpuMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }

private:
    static void Put(benchmark::State& state, std::vector<double> milliseconds,
                    const std::string& prefix)
    {
        std::sort(milliseconds.begin(), milliseconds.end());
        const auto at = [&](double q) {
            return milliseconds[static_cast<std::size_t>(
                q * static_cast<double>(milliseconds.size() - 1))];
        };
        state.counters[prefix + "median_ms"] = at(0.5);
        state.counters[prefix + "p99_ms"] = at(0.99);
        state.counters[prefix + "max_ms"] = milliseconds.back();
    }

    Clock::time_point FWallStart;
    double FCpuStart = 0;
    std::vector<double> FWall;
    std::vector<double> FCpu;
};
