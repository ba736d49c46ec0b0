#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Kotonami need, only those that
# are missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format libsqlite3-dev libpcre2-dev libicu-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    qt6-translations-l10n
    fonts-ipafont-gothic fonts-ipafont-mincho fontconfig
    xvfb xauth
    desktop-file-utils appstream man-db groff-base dpkg-dev file
    qemu-user
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
