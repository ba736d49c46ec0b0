// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// After a save that wrote "?" for characters the file's encoding cannot hold, the text on screen
// is made to show what the file holds.

#include <QStringView>

#include <functional>

class QTextDocument;

// Replaces every character of the document for which `hasForm` is false (a surrogate pair counts
// as one character) by "?", as the encoders write it, in one undo step; undoing it brings the
// characters back. `hasForm` is asked about whole lines first and then about single characters
// of the lines it refused. Returns the number of characters replaced.
int ReplaceCharactersWithoutForm(QTextDocument& document,
                                 const std::function<bool(QStringView)>& hasForm);
