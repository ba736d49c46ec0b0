// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SideWindow.h"
#include "dialogs/DialogText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const QRect Screen(0, 30, 1280, 770); // a panel along the top

struct PlaceRow
{
    const char* fact;
    QRect owner;
    QSize size;
    QRect placed;
};

const PlaceRow PlaceRows[] = {
    {"centred on its owner", {100, 100, 800, 600}, {400, 300}, {300, 250, 400, 300}},
    {"an owner low on the screen: moved up",
     {400, 500, 600, 500},
     {600, 500},
     {400, 300, 600, 500}},
    {"an owner at the right edge: moved left",
     {1000, 100, 600, 400},
     {500, 400},
     {780, 100, 500, 400}},
    {"an owner above the panel: moved down", {0, 0, 300, 100}, {300, 200}, {0, 30, 300, 200}},
    {"larger than the screen: the screen", {0, 30, 1280, 770}, {2000, 1000}, Screen},
};

TEST(SideWindowTest, PlaceInsideCentresOnTheOwnerAndStaysOnTheScreen)
{
    for (const PlaceRow& row : PlaceRows)
        EXPECT_EQ(PlaceInside(row.owner, row.size, Screen), row.placed) << row.fact;
}

// Whatever the owner's place and the window's size, the window lies inside the screen, as large
// as asked where the screen allows it.
TEST(SideWindowTest, PlaceInsideAlwaysFitsTheScreen)
{
    std::mt19937 random(38);
    std::uniform_int_distribution<int> place(-3000, 3000);
    std::uniform_int_distribution<int> extent(1, 3000);
    for (int i = 0; i < 10000; ++i) {
        const QRect owner(place(random), place(random), extent(random), extent(random));
        const QSize size(extent(random), extent(random));
        const QRect placed = PlaceInside(owner, size, Screen);
        ASSERT_TRUE(Screen.contains(placed)) << i;
        ASSERT_EQ(placed.size(), size.boundedTo(Screen.size())) << i;
    }
}

TEST(SideWindowTest, ACaptionWithoutItsMnemonicIsTheNameAMessageUses)
{
    const std::pair<const char8_t*, const char8_t*> rows[] = {
        {u8"1行の文字数(&C)", u8"1行の文字数"},
        {u8"英単語と考える文字リスト(&L)", u8"英単語と考える文字リスト"},
        {u8"&Name", u8"Name"},
        {u8"A && B", u8"A & B"},
        {u8"行頭にきてはいけない記号", u8"行頭にきてはいけない記号"},
        {u8"(&&) 記号", u8"(&) 記号"},
    };
    for (const auto& [caption, name] : rows)
        EXPECT_EQ(
            DialogText::WithoutMnemonic(QString::fromUtf8(reinterpret_cast<const char*>(caption))),
            QString::fromUtf8(reinterpret_cast<const char*>(name)))
            << reinterpret_cast<const char*>(caption);
}

} // namespace
