#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a few seconds (default 5), from a
# fixed seed so that a short run in CI explores the same inputs every time. Each target starts from
# its corpus in fuzz/corpus/<target>/ and adds to it what it finds, so that a run goes on where the
# last one stopped; to keep what a long run found, minimise the folder (`-merge=1` into a new
# one) and commit it.
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
    name="$(basename "$fuzzer")"
    corpus="fuzz/corpus/$name"
    mkdir -p "$corpus"
    echo "== $name for ${seconds}s from $(find "$corpus" -type f | wc -l) inputs"
    "$fuzzer" -seed=1 -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=0 "$corpus" 2>&1 |
        tail -n 3
done
