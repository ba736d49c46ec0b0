// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning what the writer typed into a settings field into a value, with the program's messages.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace FieldConversion {

// The strict conversion of a decimal integer: an optional sign and digits (blanks around them
// allowed), within the signed 32-bit range; nothing else.
std::optional<std::int32_t> StrToInt(const QString& text);

// "'abc' は整数ではありません": the refusal of a text that is not an integer.
QString NotAnInteger(const QString& text);

// A count of cells or lines. On failure returns false and sets `error` to the reason:
// "'abc' は整数ではありません" or "正の整数を指定してください".
bool ToPositiveInteger(const QString& text, std::int32_t& value, QString& error);

// A set of characters in Shift-JIS. On failure returns false and sets `error` to the refusal of
// the first character without a Shift-JIS form.
bool ToShiftJisField(const QString& text, std::string& value, QString& error);

// The line that names a field that could not be set, appended to the reason.
QString FieldNotSet(const QString& reason, const QString& fieldName);

} // namespace FieldConversion
