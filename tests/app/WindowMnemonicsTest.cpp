// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard everywhere: the bars below and above the editor, the settings dialogs, the menus
// and the save dialog's own fields are reached by their mnemonics, no two alike.

#include "WindowHarness.h"

#include "Mnemonics.h"
#include "app/ChangedOnDiskBar.h"
#include "preview/ManuscriptPreview.h"

#include <QComboBox>
#include <QInputDialog>
#include <QMenuBar>

namespace {

class WindowMnemonicsTest : public WindowTest
{
protected:
    // The faults of the next modal dialog, which is then closed unanswered.
    void CheckNextDialog(const char* fact, const std::function<void()>& open)
    {
        bool seen = false;
        AnswerModal<QDialog>([&](QDialog* dialog) {
            seen = true;
            EXPECT_EQ(MnemonicFaults({dialog}), QStringList()) << fact;
            dialog->reject();
        });
        open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return seen; })) << fact;
    }
};

TEST_F(WindowMnemonicsTest, TheBarsAroundTheEditorTakeNoLetterOfTheMenuBar)
{
    Action("ReplaceItem")->trigger();
    auto* disk = Form->findChild<ChangedOnDiskBar*>();
    ASSERT_NE(disk, nullptr);
    disk->ShowFor(QStringLiteral("a.txt"));
    const QWidget* find = Form->findChild<QWidget*>("FindBar");
    ASSERT_TRUE(find->isVisible());
    EXPECT_EQ(MnemonicFaults({Form->menuBar(), find, disk}), QStringList());
}

TEST_F(WindowMnemonicsTest, EverySettingsDialogIsAtHand)
{
    Form->OpenFile(Write("a.txt", "text"));
    struct Row
    {
        const char* fact;
        std::function<void()> open;
    };
    const std::vector<Row> rows = {
        {"原稿用紙の設定", [this] { Action("PaperSettingItem")->trigger(); }},
        {"履歴の設定", [this] { Action("HistorySettingItem")->trigger(); }},
        {"行間の設定", [this] { Action("SetLineSpaceItem")->trigger(); }},
        {"英単語に関する設定", [this] { Action("WordSettingItem")->trigger(); }},
        {"目標の設定", [this] { Action("GoalSettingItem")->trigger(); }},
        {"エンコーディングを指定して開き直す",
         [this] { Action("ReopenWithEncodingItem")->trigger(); }},
        {"応募原稿の設定",
         [this] {
             Action("ManuscriptPreviewItem")->trigger();
             Form->findChild<ManuscriptPreview*>()
                 ->findChild<QAction*>("SubmissionSettingItem")
                 ->trigger();
         }},
    };
    for (const Row& row : rows)
        CheckNextDialog(row.fact, row.open);
}

TEST_F(WindowMnemonicsTest, TheMenuItemsAskedForHaveMnemonicsOfTheirOwn)
{
    struct Row
    {
        const char* menu;
        QStringList named; // every item when empty
    };
    const std::vector<Row> rows = {
        {"ArrangeItem", {}},
        {"File1", {"ReopenWithEncodingItem"}},
        {"Edit1", {"ReplaceAllItem"}},
        {"SettingItem", {"ReopenLastFilesItem"}},
    };
    for (const Row& row : rows) {
        const auto* menu = Form->findChild<QMenu*>(row.menu);
        ASSERT_NE(menu, nullptr) << row.menu;
        EXPECT_EQ(MenuMnemonicFaults(*menu, row.named), QStringList()) << row.menu;
    }
}

// The save dialog's fields of the program's own: a label with a letter no other part of the
// dialog has.
TEST_F(WindowMnemonicsTest, TheSaveDialogsEncodingAndLineBreakAreAtHand)
{
    bool seen = false;
    AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
        seen = true;
        QMap<QKeySequence, int> uses;
        for (const QWidget* part : dialog->findChildren<QWidget*>()) {
            QString text;
            if (const auto* label = qobject_cast<const QLabel*>(part))
                text = label->text();
            else if (const auto* button = qobject_cast<const QAbstractButton*>(part))
                text = button->text();
            if (part->isVisibleTo(dialog) && !QKeySequence::mnemonic(text).isEmpty())
                ++uses[QKeySequence::mnemonic(text)];
        }
        for (const char* name : {"SaveEncodingBox", "SaveLineBreakBox"}) {
            const auto* box = dialog->findChild<QComboBox*>(name);
            ASSERT_NE(box, nullptr) << name;
            const QLabel* label = nullptr;
            for (const QLabel* candidate : dialog->findChildren<QLabel*>())
                if (candidate->buddy() == box)
                    label = candidate;
            ASSERT_NE(label, nullptr) << name;
            const QKeySequence key = QKeySequence::mnemonic(label->text());
            EXPECT_FALSE(key.isEmpty()) << name;
            EXPECT_EQ(uses.value(key), 1) << name << ": " << label->text().toStdString();
        }
        dialog->reject();
    });
    Action("SaveAs1")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }));
}

} // namespace
