// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TSetLineSpaceForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDialogs.h"
#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Runs the dialog modally and, once it is up, types into its field as the writer would.
int RunTyping(TSetLineSpaceForm& form, const QString& text, Qt::Key key)
{
    AnswerModal<TSetLineSpaceForm>([text, key](TSetLineSpaceForm* shown) {
        auto* edit = Control<QLineEdit>(shown, "LineSpaceEdit");
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, key);
    });
    return form.exec();
}

TEST(TSetLineSpaceForm, ShowsTheDesignCaptionsAndTheCurrentSpacing)
{
    TSetLineSpaceForm form;
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("行間の設定"));
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("OKButton"))->text(), "OK");
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("CancelButton"))->text(),
              QString::fromUtf8("キャンセル"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("LineSpaceEdit"))->text(), "0");
    form.SetLineSpace(-15);
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("LineSpaceEdit"))->text(), "-15");
}

TEST(TSetLineSpaceForm, EnterConfirmsAndEscapeCancels)
{
    TSetLineSpaceForm confirmed;
    EXPECT_EQ(RunTyping(confirmed, QStringLiteral("25"), Qt::Key_Return), QDialog::Accepted);
    EXPECT_EQ(confirmed.LineSpace(), 25);

    TSetLineSpaceForm cancelled;
    EXPECT_EQ(RunTyping(cancelled, QStringLiteral("25"), Qt::Key_Escape), QDialog::Rejected);
}

TEST(TSetLineSpaceForm, ANonIntegerGivesNoSpacing)
{
    struct Case
    {
        const char* typed;
        std::optional<int> spacing;
    };
    const Case cases[] = {
        {"40", 40}, {"-20", -20}, {"abc", std::nullopt}, {"1.5", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TSetLineSpaceForm form;
        ASSERT_EQ(RunTyping(form, QString::fromUtf8(c.typed), Qt::Key_Enter), QDialog::Accepted);
        EXPECT_EQ(form.LineSpace(), c.spacing);
    }
}

} // namespace
