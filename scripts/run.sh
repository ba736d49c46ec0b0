#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the Kotonami window (with the files given), or, where no window is built, the
# command-line companion's help.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -x build/bin/kotonami ]; then
    exec build/bin/kotonami "$@"
fi
exec build/bin/kotonami-count --help
