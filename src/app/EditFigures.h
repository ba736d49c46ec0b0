// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The characters an edit added and removed, as the writing log counts them: a line break is no
// character, and a character outside the basic plane is one.

#include <QStringView>

#include <cstdint>

struct EditFigures
{
    std::int64_t added = 0;
    std::int64_t removed = 0;

    EditFigures& operator+=(const EditFigures& other) noexcept
    {
        added += other.added;
        removed += other.removed;
        return *this;
    }
    // The same edit taken back.
    EditFigures Reversed() const noexcept { return {removed, added}; }
    friend bool operator==(const EditFigures&, const EditFigures&) = default;
};

// The characters of `text` as the log counts them.
std::int64_t LoggedCharacters(QStringView text) noexcept;

// What replacing `before` with `after` changes: the characters between what both begin with and
// what both end with, so that 「吾輩」 replaced by 「我輩」 adds one character and removes one, as
// typing the change would.
EditFigures ReplacementFigures(QStringView before, QStringView after) noexcept;
