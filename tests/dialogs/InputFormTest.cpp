// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "QtTestApplication.h"
#include "dialogs/TInputForm.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Types `typed` into the asking dialog and ends it with `key`.
std::string AskAndAnswer(const QString& typed, Qt::Key key, QString* title = nullptr)
{
    AnswerModal<TInputForm>([=](TInputForm* form) {
        if (title != nullptr)
            *title = form->windowTitle();
        auto* edit = Control<QLineEdit>(form, "InputEdit");
        edit->setText(typed);
        QTest::keyClick(edit, key);
    });
    return TInputForm::Ask(nullptr, QString::fromUtf8("数を数える文字列を入力"));
}

TEST(TInputForm, EnterConfirmsWithTheTextInShiftJis)
{
    QString title;
    EXPECT_EQ(AskAndAnswer(QString::fromUtf8("行数"), Qt::Key_Return, &title),
              "\x8D\x73"
              "\x90\x94"); // 行数
    EXPECT_EQ(title.toStdString(), "数を数える文字列を入力");
    EXPECT_EQ(AskAndAnswer(QStringLiteral("ab"), Qt::Key_Enter), "ab");
}

TEST(TInputForm, EscapeCancelsWithTheEmptyText)
{
    EXPECT_EQ(AskAndAnswer(QStringLiteral("ab"), Qt::Key_Escape), "");
}

TEST(TInputForm, EnterAndEscapeNeverReachTheEdit)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        TInputForm form;
        form.show();
        auto* edit = Control<QLineEdit>(&form, "InputEdit");
        edit->setText(QStringLiteral("x"));
        QSignalSpy edited(edit, &QLineEdit::textEdited);
        QSignalSpy returned(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, key);
        EXPECT_EQ(edited.count(), 0);
        EXPECT_EQ(returned.count(), 0);
        EXPECT_EQ(edit->text(), QStringLiteral("x"));
        EXPECT_EQ(form.result(), key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
    }
}

TEST(TInputForm, OtherKeysGoToTheEdit)
{
    TInputForm form;
    form.show();
    auto* edit = Control<QLineEdit>(&form, "InputEdit");
    QTest::keyClicks(edit, QStringLiteral("phrase"));
    EXPECT_EQ(edit->text(), QStringLiteral("phrase"));
    EXPECT_TRUE(form.isVisible());
}

TEST(TInputForm, CharacterWithoutShiftJisFormIsRefusedAndTheDialogStays)
{
    TInputForm form;
    std::vector<std::string> errors;
    form.SetErrorSink([&](const QString& m) { errors.push_back(m.toStdString()); });
    form.show();
    auto* edit = Control<QLineEdit>(&form, "InputEdit");
    edit->setText(QString::fromUtf8("a😀"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "「😀」(U+1F600) はシフトJISで表せない文字のため使えません");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Answer(), "");

    edit->setText(QStringLiteral("a"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Answer(), "a");
}

} // namespace
