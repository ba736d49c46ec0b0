// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two pieces of work at once, for a long text cut in two halves: one in a thread of its own, the
// other in the caller's.

#include <cstddef>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

// Below this size a second thread costs more than it saves.
inline constexpr std::size_t TwoHalvesFrom = std::size_t{4} << 20;

// Where a long text may be cut in two halves to work on at once: the line start after the first
// CR LF from the middle on (within `search` bytes of it) whose break `fits` (given the CR's
// offset), so that each half answers for its own lines. 0 where the text is worked in one go: too
// short, one processor, or no such break.
template <class Fits>
std::size_t HalvesMeetAt(std::string_view text, Fits&& fits,
                         std::size_t search = std::string_view::npos)
{
    if (text.size() < TwoHalvesFrom || std::thread::hardware_concurrency() < 2)
        return 0;
    const std::size_t middle = text.size() / 2;
    for (std::size_t at = text.find("\r\n", middle);
         at != std::string_view::npos && at - middle < search; at = text.find("\r\n", at + 2))
        if (fits(at))
            return at + 2;
    return 0;
}

// Runs `beside` in a thread of its own while `here` runs in this one, and returns when both are
// done. Returns false, having run neither, when no thread can be had. `beside` must not throw;
// should `here` throw, the thread is waited for first.
template <class Here, class Beside> bool RunSideBySide(Here&& here, Beside&& beside)
{
    std::thread helper;
    try {
        helper = std::thread(std::forward<Beside>(beside));
    } catch (const std::system_error&) {
        return false;
    }
    struct Join
    {
        std::thread& thread;
        ~Join() { thread.join(); }
    } join{helper};
    std::forward<Here>(here)();
    return true;
}
