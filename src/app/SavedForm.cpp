// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavedForm.h"

#include "controls/CharacterReplacement.h"
#include "controls/QtShiftJis.h"

#include <QTextDocument>

#include <string>

void ShowSavedForm(QTextDocument& document, TextEncoding encoding)
{
    ReplaceCharactersWithoutForm(document, [encoding](QStringView text) {
        std::string bytes;
        return EncodeText(QtShiftJis::View(text), encoding, LineBreak::CrLf, true, bytes);
    });
}
