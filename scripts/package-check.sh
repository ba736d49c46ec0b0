#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from the existing build tree (after scripts/build.sh or scripts/test.sh),
# installs it with apt-get as a user would, checks the installed files and runs both programs from
# their installed place, then removes the package again. Needs root (or sudo) and no network.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
work=$(mktemp -d)
chmod 755 "$work"
installed=0
cleanup() {
    if [ "$installed" -eq 1 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kotonami >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== Building the package"
cpack --config build/CPackConfig.cmake -G DEB -B "$work/package" >/dev/null
cd "$work/package"
debs=(kotonami_*_*.deb)
[ -f "${debs[0]}" ] || { echo "package-check: no kotonami_*.deb was made" >&2; exit 1; }
echo "${debs[0]}"
dpkg-deb --field "${debs[0]}" Package Version Architecture Depends Recommends
dpkg-deb --field "${debs[0]}" Depends | grep -q libqt6widgets6 ||
    { echo "package-check: the dependencies were not found by dpkg-shlibdeps" >&2; exit 1; }
dpkg-deb --field "${debs[0]}" Recommends | grep -q fonts-ipafont-gothic ||
    { echo "package-check: fonts-ipafont-gothic is not recommended" >&2; exit 1; }

echo "== Installing it"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./${debs[0]}"
installed=1
cd "$work"
"$root/scripts/check-install.sh" /usr
printf 'abc def\r\n' >sample.txt
count=$(/usr/bin/kotonami-count sample.txt)
echo "$count"
grep -q '英単語数 : 2' <<<"$count" || { echo "package-check: the count is wrong" >&2; exit 1; }

echo "== Starting the installed window"
# As an ordinary user with a home of its own, as a writer would start it from the menu.
# A settings file already there: the first-start question is for writers, not for this check.
mkdir -p home/.config/kotonami
printf '[Setting]\n' >home/.config/kotonami/Kotonami.ini
mkdir -m 700 home/run
run=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$work/home"
    run=(runuser -u nobody --)
fi
window=$("${run[@]}" env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_RUNTIME_DIR="$work/home/run" QT_QPA_PLATFORM=offscreen \
    timeout 60 /usr/bin/kotonami --new-window --quit-after-start "$work/sample.txt")
echo "$window"
grep -qx 'tab: sample.txt' <<<"$window" || { echo "package-check: the window did not open the file" >&2; exit 1; }

echo "== Removing it"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kotonami >/dev/null
installed=0
[ ! -e /usr/bin/kotonami ] && [ ! -e /usr/share/applications/io.github.kotonami.Kotonami.desktop ] ||
    { echo "package-check: files were left behind" >&2; exit 1; }
echo "package-check: passed"
