// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldConversion.h"

#include "DialogText.h"

namespace FieldConversion {

std::optional<std::int32_t> StrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

QString NotAnInteger(const QString& text)
{
    return QString::fromUtf8(u8"'%1' は整数ではありません").arg(text);
}

bool ToPositiveInteger(const QString& text, std::int32_t& value, QString& error)
{
    const std::optional<std::int32_t> number = StrToInt(text);
    if (!number) {
        error = NotAnInteger(text);
        return false;
    }
    if (*number <= 0) {
        error = QString::fromUtf8(u8"正の整数を指定してください");
        return false;
    }
    value = *number;
    return true;
}

bool ToShiftJisField(const QString& text, std::string& value, QString& error)
{
    if (DialogText::ToShiftJis(text, value))
        return true;
    error = DialogText::UnencodableMessage(DialogText::FirstUnencodable(text));
    return false;
}

QString FieldNotSet(const QString& reason, const QString& fieldName)
{
    return reason + QString::fromUtf8(u8"\r\n\r\n[%1] は設定できませんでした").arg(fieldName);
}

} // namespace FieldConversion
