// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FieldConversion.h"

#include <gtest/gtest.h>

namespace {

struct CountRow
{
    const char* typed;
    bool accepted;
    std::int32_t value;
    const char* error; // UTF-8
};

// What a writer may type as cells per line or lines per sheet.
const CountRow CountRows[] = {
    {"20", true, 20, ""},
    {"400", true, 400, ""},
    {"+5", true, 5, ""},
    {" 7 ", true, 7, ""},
    {"2147483647", true, 2147483647, ""},
    {"0", false, 0, "正の整数を指定してください"},
    {"-3", false, 0, "正の整数を指定してください"},
    {"abc", false, 0, "'abc' は整数ではありません"},
    {"", false, 0, "'' は整数ではありません"},
    {"12abc", false, 0, "'12abc' は整数ではありません"},
    {"1.5", false, 0, "'1.5' は整数ではありません"},
    {"2147483648", false, 0, "'2147483648' は整数ではありません"},
    {"２０", false, 0, "'２０' は整数ではありません"},
    {"%1", false, 0, "'%1' は整数ではありません"},
};

TEST(FieldConversion, PositiveIntegerField)
{
    for (const CountRow& row : CountRows) {
        std::int32_t value = -99;
        QString error;
        const bool accepted =
            FieldConversion::ToPositiveInteger(QString::fromUtf8(row.typed), value, error);
        EXPECT_EQ(accepted, row.accepted) << row.typed;
        if (row.accepted)
            EXPECT_EQ(value, row.value) << row.typed;
        else {
            EXPECT_EQ(value, -99) << row.typed << " must leave the old value";
            EXPECT_EQ(error.toStdString(), row.error) << row.typed;
        }
    }
}

TEST(FieldConversion, FieldNotSetAppendsTheFieldLine)
{
    EXPECT_EQ(FieldConversion::FieldNotSet(QStringLiteral("x"), QString::fromUtf8("1枚の行数"))
                  .toStdString(),
              "x\r\n\r\n[1枚の行数] は設定できませんでした");
}

} // namespace
