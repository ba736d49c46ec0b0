// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTestApplication.h"
#include "dialogs/TCancelForm.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TCancelForm, ShownWithoutModalityAndNotCancelledAtFirst)
{
    const auto form = TCancelForm::ShowOver(nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isModal());
    EXPECT_FALSE(form->Cancelled());
    EXPECT_EQ(form->windowTitle().toStdString(), "処理中……");
}

TEST(TCancelForm, CancelSetsTheFlagAndTheWindowStays)
{
    const auto form = TCancelForm::ShowOver(nullptr);
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("CancelButton")),
                      Qt::LeftButton);
    EXPECT_TRUE(form->Cancelled());
    EXPECT_TRUE(form->isVisible());
}

TEST(TCancelForm, ClosingTheWindowDoesNotCancel)
{
    const auto form = TCancelForm::ShowOver(nullptr);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Cancelled());
}

} // namespace
