// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two pieces of work at once, for a long text cut in two halves: one in a thread of its own, the
// other in the caller's.

#include <system_error>
#include <thread>
#include <utility>

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
