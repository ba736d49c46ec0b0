// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A copy of a tab's text, taken on the window's thread a slice at a time between the window's
// other work, and read on another thread: the lines as they stand, and the file bytes of the lines
// that keep them. Copying a long novel whole would hold the window for longer than a frame.

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

    // The lines joined by LF, every character as the editor held it; safe on any thread.
    std::u16string Text() const;
    // The lines that keep their file bytes (line number, bytes), in order.
    const std::vector<std::pair<int, std::string>>& Kept() const noexcept { return FKept; }

private:
    std::vector<QString> FLines;
    std::vector<std::pair<int, std::string>> FKept; // line number, file bytes
};
