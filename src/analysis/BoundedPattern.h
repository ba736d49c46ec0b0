// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A regular expression the writer typed, run with limits: its matching stops after a bounded
// amount of work and of backtracking depth, so that no pattern freezes the window or overflows
// its stack, whatever the line. Safe to share between threads once made.

#include <atomic>
#include <memory>
#include <string_view>

class BoundedPattern
{
public:
    // Compiles a pattern of the ECMAScript kind (Perl-compatible syntax, JavaScript's \uHHHH)
    // given as code points. Null when it is no valid expression.
    static std::unique_ptr<BoundedPattern> Make(std::u32string_view pattern);
    ~BoundedPattern();
    BoundedPattern(const BoundedPattern&) = delete;
    BoundedPattern& operator=(const BoundedPattern&) = delete;

    // Whether the pattern is found in `text` (UTF-16 units, each taken as one character). False
    // also when the matching gave up at its limits; GaveUp tells that it ever did.
    bool Search(std::u16string_view text) const;
    bool GaveUp() const noexcept { return FGaveUp.load(std::memory_order_relaxed); }

private:
    struct Compiled;
    explicit BoundedPattern(std::unique_ptr<Compiled> compiled);

    std::unique_ptr<Compiled> FCompiled;
    mutable std::atomic<bool> FGaveUp = false;
};
