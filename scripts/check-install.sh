#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks an installed Kotonami under PREFIX (default /usr): every file in its place, the menu
# entry and the software-centre description pass their validators, the manual pages format
# without a warning, and the companion answers.
set -euo pipefail
prefix=${1:-/usr}
id=io.github.kotonami.Kotonami
failed=0
fail() { echo "check-install: $*" >&2; failed=1; }

files=(
    bin/kotonami bin/kotonami-count
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
    share/man/man1/kotonami.1 share/man/man1/kotonami-count.1
    share/bash-completion/completions/kotonami-count
    share/bash-completion/completions/kotonami
    share/doc/kotonami/copyright
)
for size in 16 32 48 64 128 256; do
    files+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${files[@]}"; do
    [ -s "$prefix/$f" ] || fail "missing: $prefix/$f"
done
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file -b "$png" | grep -q "PNG image data, $size x $size" || fail "not a ${size}px PNG: $png"
done
[ -x "$prefix/bin/kotonami" ] && [ -x "$prefix/bin/kotonami-count" ] || fail "programs not executable"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
for page in kotonami kotonami-count; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
        "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null) || fail "man $page"
    [ -z "$warnings" ] || fail "man $page: $warnings"
done
for program in kotonami kotonami-count; do
    bash -n "$prefix/share/bash-completion/completions/$program" || fail "completion of $program"
done
# Every option the programs know is in their manual page and in their completion.
for program in kotonami kotonami-count; do
    page=$(zcat -f "$prefix/share/man/man1/$program.1" | sed 's/\\-/-/g')
    for option in $("$prefix/bin/$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "$option" <<<"$page" || fail "$program.1 lacks $option"
        grep -q -- "$option" "$prefix/share/bash-completion/completions/$program" ||
            fail "the completion of $program lacks $option"
    done
done

version=$("$prefix/bin/kotonami-count" --version) || fail "kotonami-count --version"
[[ $version == "kotonami-count "[0-9]* ]] || fail "kotonami-count --version said: $version"
version=$("$prefix/bin/kotonami" --version) || fail "kotonami --version"
[[ $version == "kotonami "[0-9]* ]] || fail "kotonami --version said: $version"
exit $failed
