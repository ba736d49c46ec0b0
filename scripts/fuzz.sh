#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a few seconds (default 5), from a
# fixed seed so that a short run in CI explores the same inputs every time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-5}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKOTONAMI_FUZZ=ON \
    -DKOTONAMI_GUI=OFF -DKOTONAMI_TESTS=OFF -DKOTONAMI_BENCHMARKS=OFF
cmake --build build-fuzz --parallel "$(nproc)"
shopt -s nullglob
fuzzers=(build-fuzz/fuzz/fuzz_*)
if [ ${#fuzzers[@]} -eq 0 ]; then
    echo "no fuzz targets were built" >&2
    exit 1
fi
for fuzzer in "${fuzzers[@]}"; do
    [ -x "$fuzzer" ] || continue
    echo "== $(basename "$fuzzer") for ${seconds}s"
    "$fuzzer" -seed=1 -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=0 2>&1 | tail -n 3
done
