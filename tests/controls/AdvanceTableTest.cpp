// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The advances kept per character add up to what the text layout makes of a whole line, in the
// fonts a writer uses, fallback characters included; pairs and joining marks take their place.

#include "controls/AdvanceTable.h"
#include "QtTestApplication.h"

#include <QTextLayout>

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

double LaidOutWidth(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.naturalTextWidth();
}

TEST(AdvanceTable, AdvancesAddUpToTheLaidOutLine)
{
    const QString pieces[] = {QStringLiteral("あ"), QStringLiteral("漢"), QStringLiteral("字"),
                              QStringLiteral("ー"), QStringLiteral("、"), QStringLiteral("。"),
                              QStringLiteral("「"), QStringLiteral("」"), QStringLiteral("ッ"),
                              QStringLiteral("ｱ"),  QStringLiteral("a"),  QStringLiteral("W"),
                              QStringLiteral("1"),  QStringLiteral(" "),  QStringLiteral("　"),
                              QStringLiteral("〜"), QStringLiteral("―"),  QStringLiteral("Ω")};
    std::mt19937 random(12);
    for (const char* family : {"IPAMincho", "IPAGothic"}) {
        QFont font(QString::fromLatin1(family));
        font.setPixelSize(20);
        AdvanceTable table(font);
        for (int round = 0; round < 50; ++round) {
            QString text;
            for (int i = 0; i < 40; ++i)
                text += pieces[random() % std::size(pieces)];
            std::vector<double> advances;
            table.Measure(text, advances);
            ASSERT_EQ(advances.size(), static_cast<std::size_t>(text.size()));
            EXPECT_NEAR(std::accumulate(advances.begin(), advances.end(), 0.0),
                        LaidOutWidth(text, font), 0.5)
                << family << ": " << text.toStdString();
        }
    }
}

TEST(AdvanceTable, PairsAndJoiningMarksTakeTheirPlace)
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(20);
    AdvanceTable table(font);
    std::vector<double> advances;
    table.Measure(QStringLiteral("𠮷か\u3099葛\U000E0100"), advances);
    ASSERT_EQ(advances.size(), 7u);
    EXPECT_GT(advances[0], 0);
    EXPECT_EQ(advances[1], 0); // the second half of 𠮷
    EXPECT_GT(advances[2], 0);
    EXPECT_EQ(advances[3], 0); // the joining voiced mark
    EXPECT_GT(advances[4], 0);
    EXPECT_EQ(advances[5] + advances[6], 0); // the variation selector, a pair
}

} // namespace
