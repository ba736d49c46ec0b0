// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement, settings and rewrite commands, run through the window's actions, keys and tool
// buttons, with their dialogs answered by program.

#include "WindowHarness.h"

#include "app/KotonamiApplication.h"

#include "analysis/WordCharacterSet.h"
#include "dialogs/TInputForm.h"
#include "dialogs/TPaperSettingForm.h"
#include "dialogs/TResultForm.h"
#include "dialogs/TWordCharacterSettingForm.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// Answers the next phrase prompt with `phrase`, or cancels it when `phrase` is null.
void AnswerPhrase(const char* phrase)
{
    AnswerModal<TInputForm>([phrase](TInputForm* form) {
        EXPECT_EQ(form->windowTitle(), u"数を数える文字列を入力");
        if (!phrase) {
            form->findChild<QPushButton*>("CancelButton")->click();
            return;
        }
        form->findChild<QLineEdit*>("InputEdit")->setText(QString::fromUtf8(phrase));
        form->findChild<QPushButton*>("OkButton")->click();
    });
}

const char16_t* const CensusOfFiveCharacters = u"--- 種類ごとの文字数 ---\n"
                                               u"\n"
                                               u"すべての文字数 : 5\n"
                                               u"---------------------------------------\n"
                                               u"1バイト文字の総数 : 2  ( 40.00 % )\n"
                                               u"2バイト文字の総数 : 3  ( 60.00 % )\n"
                                               u"---------------------------------------\n"
                                               u"1バイトアルファベット : 1  ( 20.00 % )\n"
                                               u"2バイトアルファベット : 0  ( 0.00 % )\n"
                                               u"\n"
                                               u"1バイト数字 : 1  ( 20.00 % )\n"
                                               u"2バイト数字 : 0  ( 0.00 % )\n"
                                               u"\n"
                                               u"ひらがな : 2  ( 40.00 % )\n"
                                               u"カタカナ : 0  ( 0.00 % )\n"
                                               u"半角カナ : 0  ( 0.00 % )\n"
                                               u"\n"
                                               u"1バイト記号 : 0  ( 0.00 % )\n"
                                               u"ギリシャ文字 : 0  ( 0.00 % )\n"
                                               u"\n"
                                               u"その他の 1バイト文字 : 0  ( 0.00 % )\n"
                                               u"その他の 2バイト文字 : 1  ( 20.00 % )";

class WindowAnalysisTest : public WindowTest
{
protected:
    void Select(int from, int to)
    {
        QTextCursor cursor = Editor()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Editor()->setTextCursor(cursor);
    }

    // Runs `command` and returns the one report it showed, checking the copy matches it.
    QString ReportOf(const std::function<void()>& command)
    {
        ReportCatcher reports;
        command();
        EXPECT_EQ(reports.Shown.size(), 1);
        if (reports.Shown.size() != 1)
            return {};
        EXPECT_EQ(reports.Copied.value(0), reports.Shown.value(0));
        return reports.Shown.value(0);
    }

    int ReportsShownBy(const std::function<void()>& command)
    {
        ReportCatcher reports;
        command();
        return static_cast<int>(reports.Shown.size());
    }

    std::function<void()> Trigger(const char* action)
    {
        return [this, action] { Action(action)->trigger(); };
    }
};

TEST_F(WindowAnalysisTest, CensusOfTheWholeTextShowsTheFullReport)
{
    Editor()->SetText(Sjis("ああ漢A1"));
    EXPECT_EQ(ReportOf(Trigger("CharTypeItem")), QString::fromUtf16(CensusOfFiveCharacters));
}

TEST_F(WindowAnalysisTest, CtrlKInTheEditorRunsTheCensus)
{
    Editor()->SetText(Sjis("ああ漢A1"));
    const QString report =
        ReportOf([this] { QTest::keyClick(Editor(), Qt::Key_K, Qt::ControlModifier); });
    EXPECT_EQ(report, QString::fromUtf16(CensusOfFiveCharacters));
    EXPECT_EQ(Editor()->GetText(), Sjis("ああ漢A1")); // not the editor's delete-to-line-end
}

TEST_F(WindowAnalysisTest, CensusOfTheSelectionCountsOnlyTheSelection)
{
    Editor()->SetText(Sjis("ああ漢A1"));
    Select(3, 5); // "A1"
    EXPECT_EQ(ReportOf(Trigger("MenuCharTypeItem")), u"--- 種類ごとの文字数 ---\n"
                                                     u"\n"
                                                     u"すべての文字数 : 2\n"
                                                     u"---------------------------------------\n"
                                                     u"1バイト文字の総数 : 2  ( 100.00 % )\n"
                                                     u"2バイト文字の総数 : 0  ( 0.00 % )\n"
                                                     u"---------------------------------------\n"
                                                     u"1バイトアルファベット : 1  ( 50.00 % )\n"
                                                     u"2バイトアルファベット : 0  ( 0.00 % )\n"
                                                     u"\n"
                                                     u"1バイト数字 : 1  ( 50.00 % )\n"
                                                     u"2バイト数字 : 0  ( 0.00 % )\n"
                                                     u"\n"
                                                     u"ひらがな : 0  ( 0.00 % )\n"
                                                     u"カタカナ : 0  ( 0.00 % )\n"
                                                     u"半角カナ : 0  ( 0.00 % )\n"
                                                     u"\n"
                                                     u"1バイト記号 : 0  ( 0.00 % )\n"
                                                     u"ギリシャ文字 : 0  ( 0.00 % )\n"
                                                     u"\n"
                                                     u"その他の 1バイト文字 : 0  ( 0.00 % )\n"
                                                     u"その他の 2バイト文字 : 0  ( 0.00 % )");
}

TEST_F(WindowAnalysisTest, EmptyScopesShowNoCensus)
{
    Editor()->SetText(Sjis("ab\r\ncd"));
    EXPECT_EQ(ReportsShownBy(Trigger("MenuCharTypeItem")), 0); // no selection
    Select(2, 3);                                              // the line break alone
    EXPECT_EQ(ReportsShownBy(Trigger("MenuCharTypeItem")), 0);
    Editor()->SetText({});
    EXPECT_EQ(ReportsShownBy(Trigger("CharTypeItem")), 0);
}

TEST_F(WindowAnalysisTest, PhraseCountsOverTheWholeTextAndTheSelection)
{
    Editor()->SetText(Sjis("abcabc\r\nab"));
    AnswerPhrase("ab");
    EXPECT_EQ(ReportOf(Trigger("CountPhraseItem")), u"文字列 ab は\n\n3 個見つかりました。");

    Select(0, 6);
    AnswerPhrase("ab");
    EXPECT_EQ(ReportOf(Trigger("MenuCountPhraseItem")), u"文字列 ab は\n\n2 個見つかりました。");

    AnswerPhrase("xyz");
    EXPECT_EQ(ReportOf(Trigger("CountPhraseItem")), u"文字列 xyz は\n\n0 個見つかりました。");
}

TEST_F(WindowAnalysisTest, CtrlPAsksForThePhraseFromTheEditor)
{
    Editor()->SetText(Sjis("あいあい"));
    AnswerPhrase("あい");
    const QString report =
        ReportOf([this] { QTest::keyClick(Editor(), Qt::Key_P, Qt::ControlModifier); });
    EXPECT_EQ(report, u"文字列 あい は\n\n2 個見つかりました。");
}

TEST_F(WindowAnalysisTest, ACancelledPhrasePromptShowsNothingForOneScope)
{
    Editor()->SetText(Sjis("abc"));
    AnswerPhrase(nullptr);
    EXPECT_EQ(ReportsShownBy(Trigger("CountPhraseItem")), 0);
    Select(0, 2);
    AnswerPhrase(nullptr);
    EXPECT_EQ(ReportsShownBy(Trigger("MenuCountPhraseItem")), 0);
}

TEST_F(WindowAnalysisTest, AllDocumentCountsIncludeUnsavedEditsOfTheShownTab)
{
    Type("ab");
    Action("New1")->trigger();
    Type("c");
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type("d");
    EXPECT_EQ(ReportOf(Trigger("K1")), u"文字数 : 4\n"
                                       u"英単語数 : 3\n"
                                       u"1行あたりの文字数 : 1\n"
                                       u"1行あたりの英単語数 : 1\n"
                                       u"行数 : 3\n"
                                       u"サイズ : 6 (bytes)");

    Action("New1")->trigger();
    Type(QString::fromUtf16(u"あA"));
    const QString census = ReportOf(Trigger("K3"));
    EXPECT_TRUE(census.contains(u"すべての文字数 : 6\n")) << census.toStdString();
    EXPECT_TRUE(census.contains(u"ひらがな : 1  ( 16.67 % )")) << census.toStdString();

    AnswerPhrase("A");
    EXPECT_EQ(ReportOf(Trigger("K4")), u"文字列 A は\n\n1 個見つかりました。");
}

TEST_F(WindowAnalysisTest, AllDocumentPhraseCountReportsZeroAfterACancel)
{
    Type("abc");
    Action("New1")->trigger();
    AnswerPhrase(nullptr);
    EXPECT_EQ(ReportOf(Trigger("K4")), u"文字列  は\n\n0 個見つかりました。");
}

TEST_F(WindowAnalysisTest, ManuscriptCountsOfTheWholeTextAndTheSelection)
{
    Form->Paper().Column = 5;
    Form->Paper().Line = 2;
    Editor()->SetText(Sjis("あいうえおかきくけこさ")); // 11 cells: 3 manuscript lines
    const struct
    {
        const char* action;
        bool selection;
        const char16_t* report;
    } rows[] = {
        {"PaperItem", false,
         u"----- 原稿用紙情報 -----\n\n原稿用紙の枚数 : 2\n総行数 : 3\n最終ページの行数 : 1\n"},
        {"SimplePaperItem", false,
         u"----- 原稿用紙情報 -----\n\n原稿用紙の枚数 : 2 ( 1.10000 )\n総行数 : "
         u"3\n最終ページの行数 : 1\n"},
        {"MenuPaperItem", true,
         u"----- 原稿用紙情報 -----\n\n原稿用紙の枚数 : 1\n総行数 : 1\n最終ページの行数 : 1\n"},
        {"PopupPaperItem", true,
         u"----- 原稿用紙情報 -----\n\n原稿用紙の枚数 : 1\n総行数 : 1\n最終ページの行数 : 1\n"},
        {"PopupSimplePaperItem", true,
         u"----- 原稿用紙情報 -----\n\n原稿用紙の枚数 : 1 ( 0.50000 )\n総行数 : "
         u"1\n最終ページの行数 : 1\n"},
    };
    for (const auto& row : rows) {
        if (row.selection)
            Select(0, 5); // "あいうえお": one full line
        EXPECT_EQ(ReportOf(Trigger(row.action)), QString::fromUtf16(row.report)) << row.action;
    }
}

TEST_F(WindowAnalysisTest, PaperDialogSetsTheGoodFieldAndReportsTheBadOne)
{
    QStringList errors;
    ModalCatcher<QMessageBox> boxes([&errors](QMessageBox* box) {
        errors << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    AnswerModal<TPaperSettingForm>([](TPaperSettingForm* form) {
        EXPECT_EQ(form->findChild<QLineEdit*>("ColumnEdit")->text(), "20");
        form->findChild<QLineEdit*>("ColumnEdit")->setText("0");
        form->findChild<QLineEdit*>("LineEdit")->setText("30");
        form->findChild<QRadioButton*>("UseTabRadioButton")->setChecked(true);
        form->findChild<QPushButton*>("Button1")->click();
    });
    Action("PaperSettingItem")->trigger();
    EXPECT_EQ(errors, QStringList{QString::fromUtf16(
                          u"正の整数を指定してください\n\n[1行の文字数] は設定できませんでした.")});
    EXPECT_EQ(Form->Paper().Column, 20);
    EXPECT_EQ(Form->Paper().Line, 30);
    EXPECT_EQ(Form->Paper().Tab, UseTab);
}

TEST_F(WindowAnalysisTest, WordDialogRemovesBlanksHyphensAndTabsAndRenewsThePanel)
{
    Editor()->SetText(Sjis("don't"));
    EXPECT_EQ(Field("WordNumber"), "1 (words)"); // the apostrophe is a word character by default
    QStringList notices;
    ModalCatcher<QMessageBox> boxes([&notices](QMessageBox* box) {
        notices << box->windowTitle() + u'|' + box->text();
        box->button(QMessageBox::Ok)->click();
    });
    AnswerModal<TWordCharacterSettingForm>([](TWordCharacterSettingForm* form) {
        form->findChild<QLineEdit*>("WordListEdit")->setText(QString::fromUtf16(u"x\u3000 -\t-y"));
        form->findChild<QPushButton*>("OKButton")->click();
    });
    Action("WordSettingItem")->trigger();
    EXPECT_EQ(notices,
              QStringList{QString::fromUtf16(
                  u"情報|半角・全角のスペース, タブ, ハイフン(-) は英単語として数えられないため、\n"
                  u"「英単語と考える文字リスト」から削除されました。")});
    EXPECT_EQ(Form->WordCharacters().GetCharacterList(), "xy");
    EXPECT_EQ(Field("WordNumber"), "2 (words)"); // don, t
}

TEST_F(WindowAnalysisTest, RewriteCommandsOpenAModifiedTabAndLeaveTheSourceAlone)
{
    Form->Paper().Column = 5;
    Form->Paper().Line = 2;
    const std::string paperSource =
        Sjis("\u3000今日は、いい天気でした。\r\n明日も晴れるでしょう。\r\n「はい」と答えた。");
    const struct
    {
        const char* action;
        std::string source;
        std::string result;
    } rows[] = {
        {"ToDoubleBytes", Sjis("ABC xyz 123 ｶﾞ･"), Sjis("ＡＢＣ　ｘｙｚ　１２３　ガ・")},
        {"TokanaItem", Sjis("ABC ｶﾞﾊﾟ｡"), Sjis("ABC ガパ｡")},
        {"PaperOutItem", paperSource,
         Sjis("\u3000今日は、\r\nいい天気で\r\nした。明日\r\nも晴れるで\r\nしょう。\r\n「はい」と\r"
              "\n答えた。")},
    };
    for (const auto& row : rows) {
        Action("New1")->trigger();
        const int sourceTab = Tabs()->currentIndex();
        Editor()->SetText(row.source);
        const bool sourceModified = Editor()->GetModified();
        Action(row.action)->trigger();
        ASSERT_EQ(Tabs()->currentIndex(), sourceTab + 1) << row.action;
        EXPECT_EQ(Tabs()->tabText(sourceTab + 1), u"新規") << row.action;
        EXPECT_EQ(Editor()->GetText(), row.result) << row.action;
        EXPECT_TRUE(Editor()->GetModified()) << row.action;
        EXPECT_EQ(Form->StatusText(3), u"変更") << row.action;

        ClickTab(sourceTab);
        EXPECT_EQ(Editor()->GetText(), row.source) << row.action;
        EXPECT_EQ(Editor()->GetModified(), sourceModified) << row.action;
    }
}

TEST_F(WindowAnalysisTest, ClosingARewrittenTabAsksFirst)
{
    Type("abc");
    Action("ToDoubleBytes")->trigger();
    QString question;
    AnswerMessageBox(QMessageBox::Cancel, &question);
    Action("DeleteTabItem")->trigger();
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(Tabs()->count(), 2);
}

TEST_F(WindowAnalysisTest, AnEmptySourceLeavesAnEmptyNewTab)
{
    Action("PaperOutItem")->trigger();
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Editor()->GetText(), "");
    EXPECT_FALSE(Editor()->GetModified());
}

TEST_F(WindowAnalysisTest, ToolButtonsAndThePopupMenuCarryTheCommands)
{
    const struct
    {
        const char* button;
        const char* action;
    } buttons[] = {
        {"AreaSpeedButton", "CharAreaItem"},
        {"SortCountSpeedButton", "CharTypeItem"},
        {"CountSpeedButton", "CountPhraseItem"},
        {"PaperSpeedButton", "PaperItem"},
    };
    for (const auto& row : buttons) {
        auto* button = Form->findChild<QToolButton*>(row.button);
        ASSERT_NE(button, nullptr) << row.button;
        EXPECT_EQ(button->defaultAction(), Action(row.action)) << row.button;
        EXPECT_TRUE(button->isEnabled()) << row.button;
    }
    Editor()->SetText(Sjis("ああ漢A1"));
    EXPECT_EQ(ReportOf([this] { Form->findChild<QToolButton*>("SortCountSpeedButton")->click(); }),
              QString::fromUtf16(CensusOfFiveCharacters));

    const auto* popup = Form->findChild<QMenu*>("PopupMenu1");
    ASSERT_NE(popup, nullptr);
    for (const char* name : {"PopupCharAreaItem", "MenuCharTypeItem", "MenuCountPhraseItem",
                             "PopupPaperItem", "PopupSimplePaperItem"}) {
        EXPECT_TRUE(popup->actions().contains(Action(name))) << name;
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
}

TEST_F(WindowAnalysisTest, TheApplicationErrorBoxIsTheDialogsErrorBox)
{
    QString shown;
    ModalCatcher<QMessageBox> boxes([&shown](QMessageBox* box) {
        shown = box->windowTitle() + u'|' + box->text() + u'|' +
                QString::number(static_cast<int>(box->icon()));
        box->button(QMessageBox::Ok)->click();
    });
    KotonamiApplication::ShowError("Cannot open\r\nthe file");
    EXPECT_EQ(shown, "Kotonami|Cannot open\nthe file.|" +
                         QString::number(static_cast<int>(QMessageBox::Critical)));
}

} // namespace
