// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a writer meets in the first minutes: the panel figures, Qt's own texts in Japanese, the
// keyboard focus, the font dialog, the context menus, saving text Shift-JIS cannot hold, and the
// file dialogs.

#include "WindowHarness.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

// The largest figure of each field, in panel order.
const std::array<const char*, 6> FieldNames = {"CharNumber", "CharNumberPerLine", "LineNumber",
                                               "WordNumber", "WordNumberPerLine", "TextSize"};
const std::array<QString, 6> LargestFigures = {"2147483647", "2147483647",
                                               "2147483647", "2147483647 (words)",
                                               "2147483647", "2147483647 (bytes)"};

// A field that shows its whole text looks the same whether its caret stands at the start or the
// end; one that is too narrow scrolls to the caret.
bool ShowsWholeText(QLineEdit& field)
{
    field.setCursorPosition(0);
    const QImage start = field.grab().toImage();
    field.setCursorPosition(static_cast<int>(field.text().size()));
    return field.grab().toImage() == start;
}

TEST_F(WindowTest, PanelFieldsShowTheirLargestFiguresWholeAtAnyWindowWidth)
{
    auto* panel = Form->findChild<QScrollArea*>("ScrollBox1");
    for (const int width : {Form->width(), 300, 1000}) {
        Form->resize(width, Form->height());
        QCoreApplication::processEvents();
        for (std::size_t i = 0; i < FieldNames.size(); ++i) {
            auto* field = Form->findChild<QLineEdit*>(FieldNames[i]);
            field->setText(LargestFigures[i]);
            const int room = field->contentsRect().width() - 4; // QLineEdit's own text margins
            EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), room)
                << FieldNames[i] << " at width " << width;
            EXPECT_TRUE(ShowsWholeText(*field)) << FieldNames[i] << " at width " << width;
            // Every row stays inside the panel, above its scroll bar when it has one.
            const QRect place(field->mapTo(panel->viewport(), QPoint()), field->size());
            EXPECT_LE(place.bottom(), panel->viewport()->rect().bottom()) << FieldNames[i];
        }
        // At any of these widths the whole panel is in view: narrower than the default, its
        // figures take more rows.
        EXPECT_FALSE(panel->horizontalScrollBar()->isVisible()) << width;
    }
}

} // namespace

namespace {

// The visible buttons of a dialog that carry a text.
QStringList ButtonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty())
            texts << button->text();
    return texts;
}

bool IsJapanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() >= 0x3000; });
}

TEST_F(WindowTest, QtsOwnButtonsSpeakJapanese)
{
    Type("abc");
    QString yes;
    AnswerModal<QMessageBox>([&yes](QMessageBox* box) {
        yes = box->button(QMessageBox::Yes)->text();
        box->button(QMessageBox::Cancel)->click();
    });
    Action("DeleteTabItem")->trigger();
    EXPECT_TRUE(yes.startsWith(u"はい")) << yes.toStdString();

    QStringList fileButtons;
    AnswerModal<QFileDialog>([&fileButtons](QFileDialog* dialog) {
        fileButtons = ButtonTexts(*dialog);
        dialog->reject();
    });
    Action("Open1")->trigger();
    ASSERT_GE(fileButtons.size(), 2); // open and cancel
    for (const QString& text : fileButtons)
        EXPECT_TRUE(IsJapanese(text)) << text.toStdString();
}

// A right click anywhere on the information panel, its fields included, gives the window's menu.
TEST_F(WindowTest, PanelFieldsGiveTheWindowsPopupMenu)
{
    auto* menu = Form->findChild<QMenu*>("PopupMenu1");
    for (const char* name : FieldNames) {
        auto* field = Form->findChild<QLineEdit*>(name);
        const QPoint inside = field->rect().center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, inside, field->mapToGlobal(inside));
        QApplication::sendEvent(field, &click);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
        for (QMenu* other : Form->findChildren<QMenu*>())
            EXPECT_TRUE(other == menu || !other->isVisible()) << name;
    }
}

} // namespace

namespace {

// The font dialog opens on the font the editor draws with, and leaves it alone when cancelled or
// accepted unchanged.
TEST_F(WindowTest, FontDialogOpensOnTheEditorsFont)
{
    const QFont before = Editor()->font();
    const QFontInfo drawn(before);
    for (const bool accept : {false, true}) {
        QFont offered;
        AnswerModal<QFontDialog>([&offered, accept](QFontDialog* dialog) {
            offered = dialog->currentFont();
            accept ? dialog->accept() : dialog->reject();
        });
        Action("FontSettingItem")->trigger();
        EXPECT_EQ(QFontInfo(offered).family().toStdString(), drawn.family().toStdString())
            << accept;
        EXPECT_EQ(offered.pointSize(), before.pointSize()) << accept;
        EXPECT_EQ(Editor()->font(), before) << accept;
    }
}

} // namespace

namespace {

// A key typed into the window, wherever the keyboard focus is.
void TypeIntoWindow(char key)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key);
}

// The editor has the keyboard focus from the start and takes it back after every tab change and
// every dialog, even when the writer had clicked into the panel before.
TEST_F(WindowTest, TheEditorHasTheKeyboardFocus)
{
    TypeIntoWindow('a');
    EXPECT_EQ(Editor()->toPlainText(), "a");
    const std::string path = Write("f.txt", "f");
    auto* field = Form->findChild<QLineEdit*>("CharNumber");
    const struct
    {
        const char* step;
        std::function<void()> run;
    } steps[] = {
        {"New", [&] { Action("New1")->trigger(); }},
        {"tab clicked", [&] { ClickTab(0); }},
        {"file opened", [&] { Form->OpenFile(path); }},
        {"tab closed", [&] { Action("DeleteTabItem")->trigger(); }},
        {"open dialog",
         [&] {
             AnswerFileDialog(QString::fromStdString(path));
             Action("Open1")->trigger();
         }},
        {"result dialog",
         [&] {
             AnswerModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
             Action("CharTypeItem")->trigger();
         }},
        {"font dialog",
         [&] {
             AnswerModal<QFontDialog>([](QFontDialog* dialog) { dialog->reject(); });
             Action("FontSettingItem")->trigger();
         }},
    };
    for (const auto& step : steps) {
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        step.run();
        // The window manager gives a closed dialog's owner the activation back.
        QApplication::setActiveWindow(Form.get());
        EXPECT_TRUE(QTest::qWaitFor([this] { return Editor()->hasFocus(); })) << step.step;
    }
}

} // namespace

namespace {

// After a save that wrote "?" for characters Shift-JIS cannot hold, the editor shows what the
// file holds; one undo brings the characters back as an unsaved change.
TEST_F(WindowTest, ASaveWithQuestionMarksShowsThemAndOneUndoBringsTheCharactersBack)
{
    const std::string path = Write("e.txt", "");
    Form->OpenFile(path);
    const QString typed = u"café 😀 日本\nnaïve ①"_qs; // a pair beyond the BMP is one character
    Editor()->insertPlainText(typed);
    AnswerMessageBox(QMessageBox::Yes);
    Action("Save1")->trigger();
    EXPECT_EQ(Read(path), Sjis("caf? ? 日本\r\nna?ve ①"));
    EXPECT_EQ(Editor()->GetText(), Read(path));
    EXPECT_EQ(Form->StatusText(3), "");
    Editor()->undo();
    EXPECT_EQ(Editor()->toPlainText(), typed);
    EXPECT_EQ(Form->StatusText(3), u"変更");
}

// Save As declined at the Shift-JIS question is a cancelled save: no file, no new name.
TEST_F(WindowTest, SaveAsDeclinedAtTheShiftJisQuestionChangesNothing)
{
    Type(u"café"_qs);
    const std::string path = PathOf("never.txt");
    AnswerFileDialog(QString::fromStdString(path));
    AnswerMessageBox(QMessageBox::No);
    Action("SaveAs1")->trigger();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_EQ(Tabs()->tabText(0), u"新規");
    EXPECT_EQ(Form->windowTitle(), "Kotonami [  ]");
    EXPECT_EQ(Form->StatusText(3), u"変更");

    bool askedForName = false; // the document still has no name, so Save asks for one
    AnswerModal<QFileDialog>([&askedForName](QFileDialog* dialog) {
        askedForName = true;
        dialog->reject();
    });
    Action("Save1")->trigger();
    EXPECT_TRUE(askedForName);
}

} // namespace

namespace {

// Every window on screen but the main window.
QWidgetList OtherVisibleWindows(const QWidget* main)
{
    QWidgetList others;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != main && widget->isVisible())
            others << widget;
    return others;
}

// The file dialog proposes the remembered name selected, so typing replaces it, and nothing of
// the dialog (its completion list included) stays on screen after it closes.
TEST_F(WindowTest, FileDialogsSelectTheProposedNameAndLeaveNothingBehind)
{
    Type("text");
    const std::string first = PathOf("weird.txt");
    AnswerFileDialog(QString::fromStdString(first));
    Action("SaveAs1")->trigger();
    ASSERT_TRUE(QFile::exists(QString::fromStdString(first)));

    QString proposed, selected, typed;
    bool listShown = false;
    AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        proposed = name->text();
        selected = name->selectedText();
        QTest::keyClicks(name, "w"); // "weird.txt" is offered for completion
        (void)QTest::qWaitFor(
            [name] {
                name->completer()->complete();
                return name->completer()->popup()->isVisible();
            },
            2000);
        listShown = name->completer()->popup()->isVisible();
        name->setText("dups.txt");
        typed = name->text();
        static_cast<QDialog*>(dialog)->accept();
    });
    Action("SaveAs1")->trigger();
    EXPECT_EQ(proposed, "weird.txt");
    EXPECT_EQ(selected, proposed);
    EXPECT_TRUE(listShown);
    EXPECT_EQ(Tabs()->tabText(0), "dups.txt");
    EXPECT_TRUE(OtherVisibleWindows(Form.get()).isEmpty());
}

} // namespace

namespace {

// A tab saved while another is shown shows the "?" its file holds when the writer comes back.
TEST_F(WindowTest, ATabSavedInTheBackgroundShowsTheQuestionMarksOfItsFile)
{
    const std::string path = Write("e.txt", "");
    Form->OpenFile(path);
    ClickTab(0);
    Action("DeleteTabItem")->trigger(); // the empty start tab: e.txt is tab 0 now
    Type(u"café"_qs);
    Action("New1")->trigger();
    AnswerMessageBox(QMessageBox::Yes); // the background tab's question
    AnswerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }); // the new tab
    Action("AllSave")->trigger();
    EXPECT_EQ(Read(path), "caf?");
    ClickTab(0);
    EXPECT_EQ(Editor()->toPlainText(), "caf?");
    EXPECT_EQ(Form->StatusText(3), "");
}

} // namespace
