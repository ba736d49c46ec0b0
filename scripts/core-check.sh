#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests the core alone, without Qt (the counting core, the paper, the utilities, the
# documents and the companion), as a machine without a desktop builds it; then runs the core tests
# once more on an emulated processor without POPCNT, SSE4 and AVX (qemu's core2duo), so that the
# walks such a processor takes are tested too, not only the widest this machine has.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOTONAMI_GUI=OFF \
    -DKOTONAMI_BENCHMARKS=OFF -DKOTONAMI_WERROR="${KOTONAMI_WERROR:-OFF}"
cmake --build build-core --parallel "$(nproc)"
ctest --test-dir build-core --output-on-failure --timeout 300 -j "$(nproc)"
for suite in analysis paper shell documents; do
    echo "== kotonami_${suite}_tests on a core2duo"
    qemu-x86_64 -cpu core2duo "build-core/bin/kotonami_${suite}_tests" --gtest_brief=1
done
