// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NullDocumentLayout.h"

NullDocumentLayout::NullDocumentLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document)
{
}
