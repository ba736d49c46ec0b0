#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Kotonami into build/ (Release with debug information); KOTONAMI_WERROR=ON
# makes every warning an error, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOTONAMI_WERROR="${KOTONAMI_WERROR:-OFF}"
cmake --build build --parallel "$(nproc)"
