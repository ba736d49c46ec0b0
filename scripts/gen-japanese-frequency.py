#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes src/shell/JapaneseFrequencyTable.cpp: how often characters, and pairs of characters,
occur in Japanese text, for telling Shift-JIS from EUC-JP by which reading is the likelier text.

Run once from the repository root on a Debian machine (python3 scripts/gen-japanese-frequency.py)
and commit the result; the build never runs it. It downloads Debian's Japanese manuals and
documentation (prose: manual pages, user guides, the policy manual) and the word list of a
Japanese morphological dictionary (for the kanji and compounds the manuals lack), counts the
characters and the pairs of adjacent characters outside ASCII, and writes:

- for each character seen: its cost, -log2 of its share of all characters, and its backoff, the
  cost added to a following character whose pair with it is not listed;
- for each pair seen at least MIN_PAIR times: the cost of its second character after its first,
  -log2 P(second | first), discounted by DISCOUNT so that unlisted pairs keep some probability.

It also writes each half-width katakana's full-width form, with the forms its voiced and
semi-voiced marks make: half-width text is read as the katakana it stands for.

Costs are in half-bits, rounded. The dictionary counts each word once, scaled so that it makes up
DICTIONARY_SHARE of the manuals' characters.
"""

import collections
import glob
import gzip
import html
import math
import os
import re
import subprocess
import tempfile
import unicodedata

PACKAGES = [
    "manpages-ja", "manpages-ja-dev", "gimp-help-ja", "debian-policy-ja", "kicad-doc-ja",
    "lilypond-doc-html-ja", "debian-edu-doc-ja", "aptitude-doc-ja", "mecab-ipadic",
]
MIN_PAIR = 32
DISCOUNT = 0.9
DICTIONARY_SHARE = 0.25
OUTPUT = os.path.join(os.path.dirname(__file__), "..", "src", "shell", "JapaneseFrequencyTable.cpp")
JAPANESE = re.compile(r"[\u3040-\u30ff\u4e00-\u9fff]")


def extract(root):
    """The lines of Japanese prose in the unpacked packages."""
    for folder, _, files in sorted(os.walk(root)):
        for name in sorted(files):
            path = os.path.join(folder, name)
            if path.endswith(".gz") and "/man/ja/" in path:
                text = gzip.open(path).read().decode("utf-8", "ignore")
                text = re.sub(r"^\.\S+\s?", "", text, flags=re.M)
                text = re.sub(r"\\f[BIRP]|\\-|\\\(..", "", text)
            elif path.endswith(".html"):
                text = open(path, encoding="utf-8", errors="ignore").read()
                text = re.sub(r"<script.*?</script>|<style.*?</style>", "", text, flags=re.S)
                text = html.unescape(re.sub(r"<[^>]+>", "", text))
            elif path.endswith(".txt"):
                text = open(path, encoding="utf-8", errors="ignore").read()
            else:
                continue
            for line in text.splitlines():
                if JAPANESE.search(line):
                    yield line.strip()


def count(text, single, pairs, weight=1.0):
    previous = None
    for ch in text:
        if ord(ch) < 0x80 or ord(ch) > 0xFFFF:
            previous = None
            continue
        single[ch] += weight
        if previous is not None:
            pairs[(previous, ch)] += weight
        previous = ch


def half_width_forms():
    """Each half-width katakana's full-width form, and the forms its voiced and semi-voiced marks
    make of it (0 where it takes none)."""
    forms = []
    for code in range(0xFF61, 0xFFA0):
        full = unicodedata.normalize("NFKC", chr(code))
        marked = []
        for mark in ("\u3099", "\u309a"):
            joined = unicodedata.normalize("NFC", full + mark)
            marked.append(ord(joined) if len(joined) == 1 else 0)
        forms.append(f"{{0x{ord(full):04X}, 0x{marked[0]:04X}, 0x{marked[1]:04X}}}")
    return forms


def half_bits(bits):
    return max(0, min(255, round(2 * bits)))


def numbers(values, per_line=16):
    lines = []
    for start in range(0, len(values), per_line):
        lines.append("    " + ", ".join(values[start:start + per_line]) + ",")
    return "\n".join(lines)


def main():
    single = collections.Counter()
    pairs = collections.Counter()
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["apt-get", "download", *PACKAGES], cwd=work, check=True)
        root = os.path.join(work, "x")
        for deb in sorted(glob.glob(os.path.join(work, "*.deb"))):
            subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        for line in extract(root):
            count(line, single, pairs)
        prose = sum(single.values())
        words_single = collections.Counter()
        words_pairs = collections.Counter()
        for path in sorted(glob.glob(os.path.join(root, "usr/share/mecab/dic/ipadic/*.csv"))):
            for line in open(path, encoding="euc_jp", errors="ignore"):
                count(line.split(",")[0], words_single, words_pairs)
    scale = DICTIONARY_SHARE * prose / sum(words_single.values())
    for ch, n in words_single.items():
        single[ch] += n * scale
    for pair, n in words_pairs.items():
        pairs[pair] += n * scale

    total = sum(single.values())
    cost = {ch: -math.log2(n / total) for ch, n in single.items()}
    unseen = -math.log2(0.5 / total)
    rows = collections.defaultdict(dict)
    for (first, second), n in pairs.items():
        if n >= MIN_PAIR:
            rows[first][second] = n
    backoff = {}
    for first, row in rows.items():
        listed = DISCOUNT * sum(row.values()) / single[first]
        listed_alone = sum(single[second] / total for second in row)
        backoff[first] = max(0.0, -math.log2(max(1 - listed, 1e-6) / max(1 - listed_alone, 1e-6)))

    characters = sorted(single)
    table = [f"{{0x{ord(ch):04X}, {half_bits(cost[ch])}, {half_bits(backoff.get(ch, 0.0))}}}"
             for ch in characters]
    firsts = sorted(rows)
    row_starts = []
    seconds = []
    pair_costs = []
    for first in firsts:
        row_starts.append(f"{{0x{ord(first):04X}, {len(seconds)}}}")
        for second in sorted(rows[first]):
            seconds.append(f"0x{ord(second):04X}")
            pair_costs.append(str(half_bits(-math.log2(DISCOUNT * rows[first][second] / single[first]))))
    row_starts.append(f"{{0xFFFF, {len(seconds)}}}")

    text = f"""// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Generated by scripts/gen-japanese-frequency.py from Japanese manuals and a Japanese word list.
// Do not edit.
// clang-format off
#include "JapaneseFrequencyTable.h"

namespace JapaneseFrequencyTable {{

const std::uint8_t UnseenCost = {half_bits(unseen)};

const CharacterCost Characters[{len(table)}] = {{
{numbers(table, 6)}
}};

const std::size_t CharacterCount = {len(table)};

const HalfWidthForm HalfWidthForms[{0xFFA0 - 0xFF61}] = {{
{numbers(half_width_forms(), 4)}
}};

const PairRow PairRows[{len(row_starts)}] = {{
{numbers(row_starts, 6)}
}};

const std::size_t PairRowCount = {len(row_starts)};

const std::uint16_t PairSeconds[{len(seconds)}] = {{
{numbers(seconds)}
}};

const std::uint8_t PairCosts[{len(pair_costs)}] = {{
{numbers(pair_costs, 24)}
}};

}} // namespace JapaneseFrequencyTable
"""
    with open(OUTPUT, "w", encoding="ascii", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
