// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts passing between the dialogs and the program: the program keeps Shift-JIS bytes, the
// dialogs show and take Unicode.

#include <QString>

#include <string>
#include <string_view>

namespace DialogText {

// Shift-JIS bytes (CR LF line breaks) as the dialogs show them (LF line breaks).
QString FromShiftJis(std::string_view bytes);

// Converts what the writer typed into Shift-JIS. Returns false, leaving `out` untouched, when some
// character has no Shift-JIS form.
bool ToShiftJis(const QString& text, std::string& out);

// The first character of `text` that has no Shift-JIS form, or an empty string when there is none.
QString FirstUnencodable(const QString& text);

// The message refusing a typed text that holds `character`, which has no Shift-JIS form.
QString UnencodableMessage(const QString& character);

// A control's caption as a message names it: without its mnemonic, "1行の文字数(&C)" as
// "1行の文字数", "&Name" as "Name", "&&" as "&".
QString WithoutMnemonic(const QString& caption);

} // namespace DialogText
