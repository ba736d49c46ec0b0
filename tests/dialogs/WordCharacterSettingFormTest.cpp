// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "QtTestApplication.h"
#include "analysis/WordCharacterSet.h"
#include "dialogs/TWordCharacterSettingForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Outcome
{
    bool accepted = false;
    std::vector<std::string> errors;
    std::vector<std::string> removals;
};

// Runs the dialog over `set` as the window does: types `list` (UTF-8), sets the digit switch and
// presses `button`.
Outcome RunDialog(WordCharacterSet& set, const char* list, bool digits,
                  const char* button = "OKButton")
{
    AnswerModal<TWordCharacterSettingForm>([=](TWordCharacterSettingForm* form) {
        Control<QLineEdit>(form, "WordListEdit")->setText(QString::fromUtf8(list));
        Control<QCheckBox>(form, "NumberCheckBox")->setChecked(digits);
        Control<QPushButton>(form, button)->click();
    });
    Outcome outcome;
    outcome.accepted = TWordCharacterSettingForm::Edit(
        nullptr, set, [&](const QString& m) { outcome.errors.push_back(m.toStdString()); },
        [&](const QString& m) { outcome.removals.push_back(m.toStdString()); });
    return outcome;
}

struct ListRow
{
    const char* typed;  // UTF-8, as the writer types it
    const char* stored; // Shift-JIS
    bool removalReported;
};

const ListRow ListRows[] = {
    {"a b-c", "abc", true},
    {"　", "", true},       // a double-byte blank alone
    {"@\t'", "@'", true},   // a TAB
    {" -\t　x", "x", true}, // all four kinds at once
    {"'#", "'#", false},
    {"", "", false},
    {"ａ＿",
     "\x82\x81"
     "\x81\x51",
     false}, // full-width letter and low line
};

TEST(TWordCharacterSettingForm, ListIsCleanedAndRemovalReportedOnce)
{
    for (const ListRow& row : ListRows) {
        WordCharacterSet set;
        const Outcome outcome = RunDialog(set, row.typed, true);
        EXPECT_TRUE(outcome.accepted) << row.typed;
        EXPECT_TRUE(outcome.errors.empty()) << row.typed;
        EXPECT_EQ(set.GetCharacterList(), row.stored) << row.typed;
        if (row.removalReported) {
            ASSERT_EQ(outcome.removals.size(), 1u) << row.typed;
            EXPECT_EQ(outcome.removals[0], WordCharacterSet::RemovalMessage);
        } else {
            EXPECT_TRUE(outcome.removals.empty()) << row.typed;
        }
    }
}

TEST(TWordCharacterSettingForm, OpensWithTheCurrentSetting)
{
    WordCharacterSet set;
    set.countDigits = false;
    set.SetCharacterList("\x82\x81#"); // ａ#
    bool digits = true;
    QString list, title;
    AnswerModal<TWordCharacterSettingForm>([&](TWordCharacterSettingForm* form) {
        digits = Control<QCheckBox>(form, "NumberCheckBox")->isChecked();
        list = Control<QLineEdit>(form, "WordListEdit")->text();
        title = form->windowTitle();
        form->reject();
    });
    TWordCharacterSettingForm::Edit(nullptr, set);
    EXPECT_FALSE(digits);
    EXPECT_EQ(list.toStdString(), "ａ#");
    EXPECT_EQ(title.toStdString(), "英単語に関する設定");
}

TEST(TWordCharacterSettingForm, DigitSwitchIsApplied)
{
    WordCharacterSet set;
    RunDialog(set, "@'", false);
    EXPECT_FALSE(set.countDigits);
    EXPECT_FALSE(set.IsWordCharacter('5'));
}

TEST(TWordCharacterSettingForm, CancelChangesNothing)
{
    WordCharacterSet set;
    const std::string list = set.GetCharacterList();
    const Outcome outcome = RunDialog(set, "a b", false, "CancelButton");
    EXPECT_FALSE(outcome.accepted);
    EXPECT_TRUE(outcome.removals.empty());
    EXPECT_TRUE(set.countDigits);
    EXPECT_EQ(set.GetCharacterList(), list);
}

TEST(TWordCharacterSettingForm, CharacterWithoutShiftJisFormIsRefused)
{
    WordCharacterSet set;
    const std::string list = set.GetCharacterList();
    const Outcome outcome = RunDialog(set, "#€", true);
    ASSERT_EQ(outcome.errors.size(), 1u);
    EXPECT_EQ(outcome.errors[0], "「€」(U+20AC) はシフトJISで表せない文字のため使えません"
                                 "\r\n\r\n[英単語と考える文字リスト] は設定できませんでした");
    EXPECT_TRUE(outcome.removals.empty());
    EXPECT_EQ(set.GetCharacterList(), list);
}

TEST(TWordCharacterSettingForm, RemovalNoticeUsesItsCaptionAndExclamationIcon)
{
    WordCharacterSet set;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerModal<TWordCharacterSettingForm>([&](TWordCharacterSettingForm* form) {
        Control<QLineEdit>(form, "WordListEdit")->setText(QStringLiteral("a-b"));
        AnswerModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            box->accept();
        });
        Control<QPushButton>(form, "OKButton")->click();
    });
    TWordCharacterSettingForm::Edit(nullptr, set);
    EXPECT_EQ(title.toStdString(), WordCharacterSet::RemovalCaption);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(set.GetCharacterList(), "ab");
}

} // namespace
