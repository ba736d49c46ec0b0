// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main of the benchmarks that need Qt widgets: an application on the offscreen platform, so
// that they run without a display, then the benchmarks named on the command line.

#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include <functional>

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
