#!/usr/bin/env bash
# Starts the Kotonami window (with the files given), or, where no window is built, the
# command-line companion's help.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -x build/bin/kotonami ]; then
    exec build/bin/kotonami "$@"
fi
exec build/bin/kotonami-count --help
