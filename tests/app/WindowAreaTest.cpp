// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The character area through the window's commands: the share shown, the cancel, the progress in
// the status bar, errors, and the measurement ending safely when its text goes away.

#include "WindowHarness.h"

#include "analysis/CharacterArea.h"
#include "controls/QtShiftJis.h"
#include "dialogs/TCancelForm.h"
#include "documents/Document.h"
#include "graphics/GraphicsFunc.h"

#include <QToolButton>

#include <vector>

namespace {

class WindowAreaTest : public WindowTest
{
protected:
    // Runs the command, answering every dialog it shows; what was shown, in order.
    QStringList ShownBy(const std::function<void()>& command)
    {
        QStringList shown;
        ModalCatcher<TResultForm> reports([&shown](TResultForm* form) {
            shown << u"report:"_qs + form->findChild<QLabel*>("Label1")->text();
            form->accept();
        });
        ModalCatcher<QMessageBox> boxes([&shown](QMessageBox* box) {
            shown << u"box:"_qs + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        command();
        return shown;
    }

    // The report the measure gives for these lines, measured straight through GraphicsFunc.
    QString ReportFor(const std::vector<std::string>& lines)
    {
        const QFont font = GraphicsFunc::MeasuringFont(Editor()->font());
        CountOptions options;
        options.countSpace = Action("SpaceItem")->isChecked();
        options.countDoubleByteSpace = Action("DoubleByteSpaceItem")->isChecked();
        GraphicsFunc::AreaCanvas canvas;
        AreaResult sums;
        for (const std::string& line : lines) {
            std::int64_t area = 0;
            sums.coveredPixels += GraphicsFunc::GetStringArea(RemoveUncountedBlanks(line, options),
                                                              area, font, canvas);
            sums.totalPixels += area;
        }
        return u"report:"_qs + QtShiftJis::Decode(MakeAreaReport(sums));
    }

    void Select(int from, int to)
    {
        QTextCursor cursor = Editor()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Editor()->setTextCursor(cursor);
    }

    // Runs `step` at the first turn of the event loop inside the measurement.
    void AtFirstLine(const std::function<void()>& step) { QTimer::singleShot(0, Form.get(), step); }
};

TEST_F(WindowAreaTest, EveryScopeReportsTheShareOfItsLines)
{
    Editor()->SetText(Sjis("■■ ab\r\n漢字\t。\r\n"));
    const std::string other = Sjis("「本」");
    const QString whole = ReportFor({Sjis("■■ ab"), Sjis("漢字\t。")});
    EXPECT_EQ(ShownBy([this] { Action("CharAreaItem")->trigger(); }), QStringList{whole});
    EXPECT_EQ(ShownBy([this] { Form->findChild<QToolButton*>("AreaSpeedButton")->click(); }),
              QStringList{whole});
    Select(0, 2); // "■■"
    const QString selection = ReportFor({Sjis("■■")});
    EXPECT_EQ(ShownBy([this] { Action("MenuCharAreaItem")->trigger(); }), QStringList{selection});
    EXPECT_EQ(ShownBy([this] { Action("PopupCharAreaItem")->trigger(); }), QStringList{selection});

    Action("New1")->trigger();
    Editor()->SetText(other);
    EXPECT_EQ(ShownBy([this] { Action("K2")->trigger(); }),
              QStringList{ReportFor({Sjis("■■ ab"), Sjis("漢字\t。"), other})});
}

TEST_F(WindowAreaTest, BlanksAloneHaveNoData)
{
    const struct
    {
        const char* text;
        bool countSpace, countDoubleByteSpace;
    } rows[] = {
        {"  \r\n ", true, true},  // drawn, but nothing turns black
        {"  \r\n ", false, true}, // taken out before drawing
        {"\u3000\u3000", true, true},
        {"\u3000 \u3000", false, false},
    };
    for (const auto& row : rows) {
        Action("SpaceItem")->setChecked(row.countSpace);
        Action("DoubleByteSpaceItem")->setChecked(row.countDoubleByteSpace);
        Editor()->SetText(Sjis(row.text));
        EXPECT_EQ(ShownBy([this] { Action("CharAreaItem")->trigger(); }),
                  QStringList{u"box:データがありません"_qs})
            << row.text;
    }
}

TEST_F(WindowAreaTest, NothingToMeasureShowsNothing)
{
    const QString caret = Form->StatusText(1);
    EXPECT_TRUE(ShownBy([this] { Action("CharAreaItem")->trigger(); }).isEmpty());
    Editor()->SetText(Sjis("■"));
    EXPECT_TRUE(ShownBy([this] { Action("PopupCharAreaItem")->trigger(); }).isEmpty());
    EXPECT_EQ(Form->StatusText(1), caret);
    EXPECT_TRUE(Form->findChildren<TCancelForm*>().isEmpty());
}

// While a measurement runs its own menu item is off and the others stay on; Cancel after the first
// line shows nothing and gives the status bar back.
TEST_F(WindowAreaTest, CancelAfterTheFirstLineShowsNothingAndRestoresTheStatusBar)
{
    const struct
    {
        const char* command;
        const char* disabled;
        const char* enabled;
    } rows[] = {
        {"CharAreaItem", "CharAreaItem", "PopupCharAreaItem"},
        {"MenuCharAreaItem", "PopupCharAreaItem", "CharAreaItem"},
        {"K2", "PopupCharAreaItem", "CharAreaItem"},
    };
    Editor()->SetText(Sjis("■\r\n■\r\n■\r\n■"));
    Action("New1")->trigger();
    Editor()->SetText(Sjis("■\r\n■"));
    for (const auto& row : rows) {
        Select(0, 3);
        const QString caret = Form->StatusText(1); // the caret at the selection's moving end
        bool seen = false;
        AtFirstLine([&] {
            seen = true;
            EXPECT_FALSE(Action(row.disabled)->isEnabled()) << row.command;
            EXPECT_TRUE(Action(row.enabled)->isEnabled()) << row.command;
            EXPECT_EQ(Form->StatusText(1), u"計算中") << row.command;
            TCancelForm* cancel = Form->findChild<TCancelForm*>();
            ASSERT_NE(cancel, nullptr) << row.command;
            EXPECT_TRUE(cancel->isVisible()) << row.command;
            cancel->findChild<QPushButton*>("CancelButton")->click();
        });
        EXPECT_TRUE(ShownBy([&] { Action(row.command)->trigger(); }).isEmpty()) << row.command;
        EXPECT_TRUE(seen) << row.command;
        EXPECT_TRUE(Action(row.disabled)->isEnabled()) << row.command;
        EXPECT_EQ(Form->StatusText(1), caret) << row.command;
        EXPECT_TRUE(Form->findChildren<TCancelForm*>().isEmpty()) << row.command;
    }
}

TEST_F(WindowAreaTest, ALineTooWideShowsTheErrorThenTheShareOfTheLinesBefore)
{
    QFont font = Editor()->font();
    font.setPixelSize(200);
    Editor()->setFont(font);
    const QFontMetrics metrics(GraphicsFunc::MeasuringFont(font));
    const std::int64_t needed = GraphicsFunc::MaximumLineImageBytes /
                                (4 * metrics.height() * metrics.horizontalAdvance('W'));
    // A little more than the rounded advance says: the advances in a line are fractional.
    const std::string wide(static_cast<std::size_t>(needed + needed / 50 + 2), 'W');
    Editor()->SetText(Sjis("■") + "\r\n" + wide + "\r\nW");
    EXPECT_EQ(ShownBy([this] { Action("CharAreaItem")->trigger(); }),
              (QStringList{u"box:1行の長さが長すぎます。(in GraphicsFunc::GetStringArea)."_qs,
                           ReportFor({Sjis("■")})}));
}

TEST_F(WindowAreaTest, ClosingTheTabOrTheWindowEndsTheMeasurementAsCancelled)
{
    for (const char* close : {"DeleteTabItem", "Exit1"}) {
        Editor()->SetText(Sjis("■\r\n■\r\n■"));
        Editor()->SetModified(false);
        AtFirstLine([this, close] { Action(close)->trigger(); });
        EXPECT_TRUE(ShownBy([this] { Action("CharAreaItem")->trigger(); }).isEmpty()) << close;
        EXPECT_TRUE(Form->findChildren<TCancelForm*>().isEmpty()) << close;
    }
    EXPECT_FALSE(Form->isVisible());
}

} // namespace
