// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A copy of a tab's text, taken on the window's thread a slice at a time between the window's
// other work, and turned into the counting form on another thread: the lines as they stand, and
// the file bytes of the lines that keep them. Copying a long novel whole would hold the window
// for longer than a frame.

#include <QString>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

class QTextDocument;

class TextSnapshot
{
public:
    // Copies further lines for about `budget`; true once the whole text is in.
    bool CopyMore(const QTextDocument& text, std::chrono::microseconds budget);
    // The text changed at `position` (as QTextDocument::contentsChange tells) while it was being
    // copied: the lines from the changed one on are copied again.
    void Changed(const QTextDocument& text, int position);

    // The text as Shift-JIS with CR LF between lines, as EditorDocument::Text gives it; safe on
    // any thread. `complete` tells whether no character took the geta mark.
    std::string CountingForm(bool* complete = nullptr) const;
    // The characters, line after line.
    std::u16string Characters() const;

private:
    std::vector<QString> FLines;
    std::vector<std::pair<int, std::string>> FKept; // line number, file bytes
};
