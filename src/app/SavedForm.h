// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a save wrote: characters the file's encoding cannot hold went into the file as "?", and
// the text on screen is made to show the same.

#include "documents/TextEncoding.h"

#include <QString>

class QTextDocument;

// Replaces the characters without a form in `encoding` by "?" in one undo step of the document.
void ShowSavedForm(QTextDocument& document, TextEncoding encoding);
