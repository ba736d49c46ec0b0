#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them all, then
# builds the tests with ThreadSanitizer and runs those of every path that runs a second thread.
# Benchmarks are not built here, and warnings stay warnings: the instrumented standard library warns
# where the ordinary build does not.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
common=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOTONAMI_BENCHMARKS=OFF)

cmake -S . -B build-asan "${common[@]}" \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan --parallel "$jobs"
# Qt's own libraries are not instrumented: leaks they keep until exit are theirs, not ours.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure --timeout 600 -j "$jobs"

cmake -S . -B build-tsan "${common[@]}" \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build build-tsan --parallel "$jobs" --target kotonami_analysis_tests \
    kotonami_documents_tests kotonami_controls_tests kotonami_window_tests
# Every path that runs a second thread: the count and the UTF-8 counting form in two halves (the
# core suites whole), the loader's counting thread, and the recovery writer beside the window.
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan-suppressions.txt"
export QT_QPA_PLATFORM=offscreen
build-tsan/bin/kotonami_analysis_tests --gtest_brief=1
build-tsan/bin/kotonami_documents_tests --gtest_brief=1
build-tsan/bin/kotonami_controls_tests --gtest_brief=1 --gtest_filter='EditorDocumentLoad.*'
build-tsan/bin/kotonami_window_tests --gtest_brief=1 --gtest_filter='*Recover*'
