// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting for what the event loop brings (a widget repaints, a queued width takes effect): lets
// the event loop run until `read()` gives `expected` or a while has passed, and returns what
// `read()` gives then, for the caller to compare, so that a value that never comes fails the test
// with what was there instead of hanging it.

#include <QTest>

template <class Read, class Value> auto Eventually(Read read, const Value& expected)
{
    static_cast<void>(QTest::qWaitFor([&] { return read() == expected; }, 3000));
    return read();
}
