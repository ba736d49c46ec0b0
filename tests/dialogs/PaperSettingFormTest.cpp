// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "QtTestApplication.h"
#include "dialogs/TPaperSettingForm.h"
#include "paper/TPaper.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Typed
{
    const char* column = nullptr; // nullptr leaves the field as filled
    const char* line = nullptr;
    const char* noFirst = nullptr;
    const char* forceFirst = nullptr;
    const char* tabButton = nullptr;
};

void Type(TPaperSettingForm* form, const char* name, const char* text)
{
    if (text != nullptr)
        Control<QLineEdit>(form, name)->setText(QString::fromUtf8(text));
}

// Runs the dialog over `paper` as the window does, types `typed` and presses `button`.
// Returns the messages the apply step reported.
std::vector<std::string> RunDialog(TPaper& paper, const Typed& typed,
                                   const char* button = "Button1", bool* accepted = nullptr)
{
    AnswerModal<TPaperSettingForm>([typed, button](TPaperSettingForm* form) {
        Type(form, "ColumnEdit", typed.column);
        Type(form, "LineEdit", typed.line);
        Type(form, "NoFirstEdit", typed.noFirst);
        Type(form, "ForceFirstEdit", typed.forceFirst);
        if (typed.tabButton != nullptr)
            Control<QRadioButton>(form, typed.tabButton)->setChecked(true);
        Control<QPushButton>(form, button)->click();
    });
    std::vector<std::string> messages;
    const bool ok = TPaperSettingForm::Edit(
        nullptr, paper, [&](const QString& message) { messages.push_back(message.toStdString()); });
    if (accepted != nullptr)
        *accepted = ok;
    return messages;
}

const std::string ColumnNotSet = "\r\n\r\n[1行の文字数] は設定できませんでした";
const std::string LineNotSet = "\r\n\r\n[1枚の行数] は設定できませんでした";

TEST(TPaperSettingForm, ZeroColumnIsReportedAndLineStillApplied)
{
    TPaper paper;
    const auto messages = RunDialog(paper, {.column = "0", .line = "30"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "正の整数を指定してください" + ColumnNotSet);
    EXPECT_EQ(paper.Column, 20);
    EXPECT_EQ(paper.Line, 30);
}

TEST(TPaperSettingForm, LettersAreNotAnInteger)
{
    TPaper paper;
    const auto messages = RunDialog(paper, {.column = "40", .line = "abc"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "'abc' は整数ではありません" + LineNotSet);
    EXPECT_EQ(paper.Column, 40);
    EXPECT_EQ(paper.Line, 20);
}

TEST(TPaperSettingForm, BothFieldsFailingGiveOneMessageEach)
{
    TPaper paper;
    const auto messages =
        RunDialog(paper, {.column = "-1", .line = "", .tabButton = "UseTabRadioButton"});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "正の整数を指定してください" + ColumnNotSet);
    EXPECT_EQ(messages[1], "'' は整数ではありません" + LineNotSet);
    EXPECT_EQ(paper.Tab, UseTab);
}

TEST(TPaperSettingForm, UnknownTabValueOpensAsDoubleByteSpaceAndStoresTwo)
{
    TPaper paper;
    paper.Tab = 7;
    bool checked = false;
    AnswerModal<TPaperSettingForm>([&checked](TPaperSettingForm* form) {
        checked = Control<QRadioButton>(form, "ChangeTabToSpaceRadioButton")->isChecked();
        Control<QPushButton>(form, "Button1")->click();
    });
    const bool accepted = TPaperSettingForm::Edit(nullptr, paper, [](const QString&) {});
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(checked);
    EXPECT_EQ(paper.Tab, ChangeTabToSpace);
}

TEST(TPaperSettingForm, EmptyLineStartSetIsAccepted)
{
    TPaper paper;
    const std::string force = paper.ForceFirstChar;
    const auto messages = RunDialog(paper, {.noFirst = ""});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(paper.NoFirstChar, "");
    EXPECT_EQ(paper.ForceFirstChar, force);
}

TEST(TPaperSettingForm, OkWithoutEditsKeepsEverySettingByteForByte)
{
    TPaper paper;
    const TPaper before;
    const auto messages = RunDialog(paper, {});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(paper.Column, before.Column);
    EXPECT_EQ(paper.Line, before.Line);
    EXPECT_EQ(paper.NoFirstChar, before.NoFirstChar);
    EXPECT_EQ(paper.ForceFirstChar, before.ForceFirstChar);
    EXPECT_EQ(paper.Tab, before.Tab);
}

TEST(TPaperSettingForm, TypedSetsBecomeShiftJis)
{
    TPaper paper;
    RunDialog(paper, {.noFirst = "，、。", .forceFirst = "　"});
    EXPECT_EQ(paper.NoFirstChar, "\x81\x43"
                                 "\x81\x41"
                                 "\x81\x42");    // ，、。
    EXPECT_EQ(paper.ForceFirstChar, "\x81\x40"); // double-byte blank
}

TEST(TPaperSettingForm, CancelChangesNothing)
{
    TPaper paper;
    bool accepted = true;
    const auto messages = RunDialog(
        paper, {.column = "0", .line = "30", .noFirst = "", .tabButton = "UseTabRadioButton"},
        "Button2", &accepted);
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(paper.Line, 20);
    EXPECT_EQ(paper.NoFirstChar, TPaper().NoFirstChar);
    EXPECT_EQ(paper.Tab, DeleteTab);
}

TEST(TPaperSettingForm, CharacterWithoutShiftJisFormIsRefused)
{
    TPaper paper;
    const std::string noFirst = paper.NoFirstChar;
    const auto messages = RunDialog(paper, {.line = "25", .noFirst = "、😀。"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "「😀」(U+1F600) はシフトJISで表せない文字のため使えません"
                           "\r\n\r\n[行頭にきてはいけない記号] は設定できませんでした");
    EXPECT_EQ(paper.NoFirstChar, noFirst);
    EXPECT_EQ(paper.Line, 25);
}

TEST(TPaperSettingForm, ErrorShowsInTheApplicationErrorBox)
{
    TPaper paper;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerModal<TPaperSettingForm>([&](TPaperSettingForm* form) {
        Control<QLineEdit>(form, "ColumnEdit")->setText(QStringLiteral("0"));
        AnswerModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        Control<QPushButton>(form, "Button1")->click();
    });
    TPaperSettingForm::Edit(nullptr, paper);
    EXPECT_EQ(title, QStringLiteral("Kotonami"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text.toStdString(),
              "正の整数を指定してください\n\n[1行の文字数] は設定できませんでした.");
}

} // namespace
