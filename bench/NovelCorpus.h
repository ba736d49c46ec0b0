// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A deterministic novel-like Shift-JIS text for the benchmarks: paragraphs indented with the
// double-byte space, lines of about 40 characters of kanji, kana and punctuation, a few English
// words, CR LF line breaks.

#include <cstddef>
#include <cstdint>
#include <string>

std::string MakeNovelCorpus(std::size_t bytes, std::uint32_t seed = 20261207);

inline constexpr std::size_t OneMiB = std::size_t{1} << 20;
inline constexpr std::size_t SixteenMiB = std::size_t{16} << 20;

// The corpus cut into `chapters` chapters of about even length, each opened by a heading line
// "第N章" at a line start; every tenth chapter is a part ("# 第N部") instead.
std::string MakeChapteredNovel(std::size_t bytes, std::size_t chapters);
