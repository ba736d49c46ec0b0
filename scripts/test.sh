#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the formatting, builds Kotonami and runs every test; then runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-format.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
scripts/fuzz.sh "${KOTONAMI_FUZZ_SECONDS:-5}"
