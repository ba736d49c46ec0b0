// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowHarness.h"
#include "preview/ManuscriptPreview.h"

#include <QLabel>

namespace {

class WindowPreviewTest : public WindowTest
{
protected:
    ManuscriptPreview* Preview() const { return Form->findChild<ManuscriptPreview*>(); }
    QString SheetLabel() const
    {
        return Preview()->findChild<QLabel*>(QStringLiteral("SheetLabel"))->text();
    }
    QString Expected(int sheet, const std::string& text) const
    {
        return QStringLiteral(u"%1 / %2 枚").arg(sheet).arg(Form->Paper().Count(text).Sheets);
    }
    void Key(int key) { QTest::keyClick(Preview(), static_cast<Qt::Key>(key)); }
};

// The writer pages through the sheets of the text, the count always the report's, and the
// preview follows the text and the paper settings.
TEST_F(WindowPreviewTest, PagesThroughTheSheetsAndFollowsTheText)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += Sjis("　「雨だね」と彼は言った。窓の外では、紫陽花が揺れている。\r\n");
    Editor()->SetText(text);
    Action("ManuscriptPreviewItem")->trigger();
    ASSERT_NE(Preview(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Preview()));
    QApplication::setActiveWindow(Preview());
    const int sheets = Form->Paper().Count(Editor()->GetText()).Sheets;
    ASSERT_GT(sheets, 2);
    EXPECT_EQ(SheetLabel(), Expected(1, Editor()->GetText()));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(SheetLabel(), Expected(2, Editor()->GetText()));
    Key(Qt::Key_End);
    EXPECT_EQ(Preview()->CurrentSheet(), sheets - 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Preview()->CurrentSheet(), sheets - 1);
    Key(Qt::Key_Home);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(SheetLabel(), Expected(1, Editor()->GetText()));

    Editor()->SetText(Sjis("短い。"));
    (void)QTest::qWaitFor([&] { return SheetLabel() == QStringLiteral(u"1 / 1 枚"); });
    EXPECT_EQ(SheetLabel(), QStringLiteral(u"1 / 1 枚"));
    Form->Paper().Column = 1;
    Form->Paper().Line = 1;
    AnswerModal<QDialog>([](QDialog* dialog) { dialog->accept(); });
    Action("PaperSettingItem")->trigger();
    EXPECT_EQ(SheetLabel(), Expected(1, Sjis("短い。")));
}

TEST_F(WindowPreviewTest, ShowsTheSelection)
{
    Editor()->SetText(Sjis("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十\r\n"
                           "一二三四五六七八九十"));
    Form->Paper().Column = 5;
    Form->Paper().Line = 1;
    Editor()->selectAll();
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(cursor);
    Action("ManuscriptPreviewItem")->trigger();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(SheetLabel(), QStringLiteral(u"1 / 2 枚"));
}

// With ruby and notes left out, the sheets are those of the text as read, as the count has them.
TEST_F(WindowPreviewTest, ShowsTheTextAsRead)
{
    Form->Paper().Column = 2;
    Form->Paper().Line = 1;
    Editor()->SetText(Sjis("漢字《かんじ》と｜仮名《かな》"));
    Action("ExcludeRubyItem")->trigger();
    ASSERT_TRUE(Action("ExcludeRubyItem")->isChecked());
    Action("ManuscriptPreviewItem")->trigger();
    EXPECT_EQ(SheetLabel(), QStringLiteral(u"1 / 3 枚"));
    Action("ExcludeRubyItem")->trigger();
    (void)QTest::qWaitFor([&] { return SheetLabel() == Expected(1, Editor()->GetText()); });
    EXPECT_EQ(SheetLabel(), Expected(1, Editor()->GetText()));
}

} // namespace
