// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file through the real window: what a window writes when it closes, the next
// window shows; what a hand-edited or damaged file holds cannot put the window out of reach.

#include "WindowHarness.h"

#include "app/FontSetup.h"
#include "controls/QtShiftJis.h"
#include "controls/TLineInfo.h"
#include "dialogs/THistoryForm.h"
#include "shell/Exceptions.h"
#include "shell/ScopedVariable.h"
#include "shell/TIniFile.h"

#include <QFontDialog>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <csignal>
#include <filesystem>
#include <random>
#include <sstream>
#include <sys/resource.h>

namespace {

// Writes fail while this lives, even for the superuser: no file may grow beyond one byte.
class RefusedWrites
{
public:
    RefusedWrites()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit tiny = FOld;
        tiny.rlim_cur = 1;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~RefusedWrites() { ::setrlimit(RLIMIT_FSIZE, &FOld); }

private:
    rlimit FOld{};
};

class WindowSettingsTest : public WindowTest
{
protected:
    // A new window over the settings file at `path`, as the program starts it.
    void Start(const std::string& path)
    {
        SetWindowSettingsFileName(path);
        Form = std::make_unique<TForm1>();
        Form->StartUp({});
        Show();
    }

    bool Checked(const char* name) const { return Action(name)->isChecked(); }
    QMenu* History() const { return Form->findChild<QMenu*>("HistoryItem"); }

    QStringList HistoryCaptions() const
    {
        QStringList captions;
        for (const QAction* entry : History()->actions())
            captions << entry->text();
        return captions;
    }

    // Sets the history maximum in its dialog; `clear` presses "履歴の削除" first.
    void SetHistoryMax(const QString& text, bool accept = true, bool clear = false)
    {
        AnswerModal<THistoryForm>([text, accept, clear](THistoryForm* dialog) {
            if (clear)
                dialog->findChild<QPushButton*>("ClearButton")->click();
            dialog->findChild<QLineEdit*>("HistoryEdit")->setText(text);
            dialog->findChild<QPushButton*>(accept ? "OKButton" : "CancelButton")->click();
        });
        Action("HistorySettingItem")->trigger();
    }

    // Each section with its keys, in the file's order.
    static std::vector<std::string> Layout(const std::string& text)
    {
        std::vector<std::string> layout;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            layout.push_back(line.substr(0, line.find('=')));
        return layout;
    }
};

TEST_F(WindowSettingsTest, EveryKeySurvivesARestartInTheFilesOrder)
{
    const std::string path = PathOf("settings.ini");
    AnswerMessageBox(QMessageBox::No);
    Start(path);
    for (const char* name : {"SpaceItem", "TabItem", "DoubleByteSpaceItem", "AutoRenewInfoItem",
                             "WordWrapItem", "ShowLineNumItem", "LineInfoItem", "CursorPosInfoItem",
                             "SavePositionItem", "SaveSizeItem", "ExcludeRubyItem"})
        Action(name)->trigger();
    AnswerMessageBox(QMessageBox::Ok);
    Action("AppearanceLineItem")->trigger();
    AnswerModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("LineSpaceEdit")->setText("3");
        dialog->accept();
    });
    Action("SetLineSpaceItem")->trigger();
    QFont font(QStringLiteral("IPAMincho"), 14);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    AnswerModal<QFontDialog>([font](QFontDialog* dialog) {
        dialog->setCurrentFont(font);
        dialog->accept();
    });
    Action("FontSettingItem")->trigger();
    Form->Paper().Column = 40;
    Form->Paper().Line = 40;
    Form->WordCharacters().countDigits = false;
    SetHistoryMax("5");
    Form->OpenFile(Write("a.txt", "A"));
    Form->OpenFile(Write("b.txt", "B"));
    const QRect screen = Form->screen()->availableGeometry();
    Form->move(screen.topLeft() + QPoint(30, 40));
    Form->resize(600, 400);
    const auto fontKeys = [](const QFont& f) {
        return std::make_tuple(f.family(), f.pointSize(), f.bold(), f.italic(), f.underline(),
                               f.strikeOut());
    };
    const auto written = fontKeys(Editor()->font());
    ASSERT_TRUE(Form->close());

    const std::vector<std::string> expected = {"[Setting]",
                                               "CountSpace",
                                               "CountTab",
                                               "CountDoubleByteSpace",
                                               "AutoRenewInfo",
                                               "WordWrap",
                                               "LineNum",
                                               "LineInfo",
                                               "CursorPos",
                                               "LineSetting",
                                               "LineSpace",
                                               "ExcludeRuby",
                                               "[Font]",
                                               "Charset",
                                               "Color",
                                               "Name",
                                               "Pitch",
                                               "Size",
                                               "Style Bold",
                                               "Style Italic",
                                               "Style Underline",
                                               "Style Strikeout",
                                               "[Paper]",
                                               "Column",
                                               "Line",
                                               "NoFirstChar",
                                               "ForceFirstChar",
                                               "Tab",
                                               "[Word]",
                                               "Number",
                                               "CharList",
                                               "[History]",
                                               "MaxNum",
                                               "Num",
                                               "0",
                                               "1",
                                               "[HistoryCaret]",
                                               "0",
                                               "1",
                                               "[Session]",
                                               "Reopen",
                                               "Num",
                                               "Front",
                                               "0",
                                               "Caret0",
                                               "1",
                                               "Caret1",
                                               "[Window]",
                                               "SavePosition",
                                               "SaveSize",
                                               "Left",
                                               "Top",
                                               "Width",
                                               "Height",
                                               "CheckList",
                                               "Docks",
                                               "[Preview]",
                                               "Face",
                                               "Submission",
                                               "[Submission]",
                                               "Column",
                                               "Line",
                                               "PageSize",
                                               "Orientation",
                                               "Vertical",
                                               "FontSize",
                                               "MarginTop",
                                               "MarginBottom",
                                               "MarginSide",
                                               "PageNumbers",
                                               "TitlePlace",
                                               "Title",
                                               "Author",
                                               "[Check]",
                                               "ellipsis-pair",
                                               "dash-pair",
                                               "space-after-mark",
                                               "period-before-close",
                                               "paragraph-indent",
                                               "bracket-balance",
                                               "repeated-punctuation",
                                               "halfwidth-kana",
                                               "[Chapters]",
                                               "Pattern",
                                               "Visible",
                                               "Width",
                                               "[Find]",
                                               "MatchCase",
                                               "RegularExpression",
                                               "IgnoreWidth",
                                               "InSelection",
                                               "Num",
                                               "[Editor]",
                                               "Zoom"};
    EXPECT_EQ(Layout(Read(path)), expected);

    Start(path);
    for (const char* name :
         {"SpaceItem", "TabItem", "DoubleByteSpaceItem", "AutoRenewInfoItem", "ShowLineNumItem",
          "LineInfoItem", "CursorPosInfoItem", "LogicalLineItem"})
        EXPECT_FALSE(Checked(name)) << name;
    for (const char* name : {"WordWrapItem", "SavePositionItem", "SaveSizeItem",
                             "AppearanceLineItem", "ExcludeRubyItem"})
        EXPECT_TRUE(Checked(name)) << name;
    EXPECT_EQ(Editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(Editor()->LineInfo()->LineSpace(), 3);
    EXPECT_EQ(fontKeys(Editor()->font()), written);
    EXPECT_EQ(std::get<0>(written), QStringLiteral("IPAMincho"));
    EXPECT_EQ(Editor()->LineInfo()->font(), Editor()->font());
    EXPECT_EQ(Form->Paper().Column, 40);
    EXPECT_EQ(Form->Paper().Line, 40);
    EXPECT_FALSE(Form->WordCharacters().countDigits);
    EXPECT_EQ(HistoryCaptions(), QStringList({QString::fromStdString(PathOf("b.txt")),
                                              QString::fromStdString(PathOf("a.txt"))}));
    EXPECT_EQ(Form->pos(), screen.topLeft() + QPoint(30, 40));
    EXPECT_EQ(Form->size(), QSize(600, 400));
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(TIniFile(path).ReadInteger("History", "MaxNum", 0), 5);
}

TEST_F(WindowSettingsTest, HandEditedValuesAreReadAsTheProgramReadsThem)
{
    // 41 bytes: "a" and twenty double-byte letters; the face takes the first 31.
    std::string faceBytes = "a";
    for (int i = 0; i < 20; ++i)
        faceBytes += "\x82\x60"; // Ａ
    struct Row
    {
        const char* file;
        const char* fact;
    };
    const std::vector<Row> rows = {
        {"[Setting]\nLineSetting=0\n", "display lines"},
        {"[History]\nMaxNum=0x10\n", "maximum 16"},
        {"[History]\nMaxNum=abc\n", "maximum 10"},
        {"[History]\nMaxNum=-3\n", "maximum 10"},
        {"[History]\nNum=3\n0=/a\n1=\n2=/c\n", "one entry"},
        {"[History]\nMaxNum=2\nNum=4\n0=/a\n1=/b\n2=/c\n3=/d\n", "two entries"},
        {"[Font]\nSize=500\nColor=255\n", "9 points, red"},
        {"[Window]\nSavePosition=0\nLeft=-5000\nTop=-5000\n", "place ignored"},
        {"[Window]\nSavePosition=1\nLeft=-5000\nTop=-5000\n", "place on a screen"},
        {"[Window]\nSaveSize=1\nWidth=100000\nHeight=5\n", "size within reach"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fact);
        const std::string path = Write("hand.ini", row.file);
        Start(path);
        const std::string fact = row.fact;
        if (fact == "display lines") {
            EXPECT_TRUE(Checked("AppearanceLineItem"));
            EXPECT_FALSE(Checked("LogicalLineItem"));
        } else if (fact == "one entry") {
            EXPECT_EQ(HistoryCaptions(), QStringList{"/a"});
        } else if (fact == "two entries") {
            EXPECT_EQ(HistoryCaptions(), QStringList({"/a", "/b"}));
        } else if (fact == "9 points, red") {
            EXPECT_EQ(Editor()->font().pointSize(), DesignFontPointSize);
            EXPECT_EQ(Editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
        } else if (fact == "place ignored") {
            EXPECT_NE(Form->pos(), QPoint(-5000, -5000));
        } else if (fact == "place on a screen") {
            EXPECT_NE(QGuiApplication::screenAt(Form->pos()), nullptr);
        } else if (fact == "size within reach") {
            EXPECT_LE(Form->width(), Form->screen()->availableGeometry().width());
            EXPECT_GE(Form->height(), Form->minimumSizeHint().height());
        }
        const QPoint place = Form->pos();
        ASSERT_TRUE(Form->close());
        TIniFile written(path);
        if (fact.starts_with("maximum")) {
            EXPECT_EQ(written.ReadInteger("History", "MaxNum", 0), fact == "maximum 16" ? 16 : 10);
        } else if (fact == "9 points, red") {
            EXPECT_EQ(written.ReadInteger("Font", "Color", 0), 255) << "written back as read";
        } else if (fact == "place ignored") {
            EXPECT_EQ(written.ReadInteger("Window", "Left", 0), place.x()) << "still rewritten";
        }
    }

    Start(Write("face.ini", "[Font]\nName=" + faceBytes + "\n"));
    EXPECT_EQ(Editor()->font().family(),
              QtShiftJis::Decode(std::string_view(faceBytes).substr(0, 31)));
    // A face with letters that have no Shift-JIS form keeps them; each counts as one byte.
    Start(Write("accents.ini",
                "\xEF\xBB\xBF[Font]\nName=Dé\xF0\x9F\x98\x80" + std::string(40, 'x') + "\n"));
    EXPECT_EQ(Editor()->font().family(), QStringLiteral(u"Dé😀") + QString(28, u'x'));
}

TEST_F(WindowSettingsTest, ShiftJisValuesComeBackByteForByte)
{
    // ﾄｰ (C4 B0) also reads as a UTF-8 character; ED40 has a twin code (FA5C) in code page 932.
    const std::string path = Write("sjis.ini", "[Paper]\r\nForceFirstChar=\xC4\xB0\r\n"
                                               "[Word]\r\nCharList='\xED\x40\r\n");
    Start(path);
    EXPECT_EQ(Form->Paper().ForceFirstChar, "\xC4\xB0");
    EXPECT_EQ(Form->WordCharacters().GetCharacterList(), "'\xED\x40");
    ASSERT_TRUE(Form->close());
    const std::string written = Read(path);
    EXPECT_NE(written.find("ForceFirstChar=\xC4\xB0\r\n"), std::string::npos);
    EXPECT_NE(written.find("CharList='\xED\x40\r\n"), std::string::npos);
}

TEST_F(WindowSettingsTest, ARefusedWriteKeepsTheWindowOpenAndTheOldFile)
{
    const std::string old = "[Setting]\nCountSpace=0\n; the writer's own note\n";
    const std::string path = Write("kept.ini", old);
    Start(path);
    Action("TabItem")->trigger();
    QString message;
    AnswerMessageBox(QMessageBox::Ok, &message);
    {
        const RefusedWrites refused;
        EXPECT_FALSE(Form->close());
    }
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(message, QString::fromStdString(path) + QStringLiteral(u" に書き込めません."));
    EXPECT_EQ(Read(path), old);
    EXPECT_TRUE(Form->close()) << "the writer may close again";
}

TEST_F(WindowSettingsTest, FirstStartQuestionOnlyWhileThereIsNoFile)
{
    const std::string path = PathOf("first.ini");
    const ScopedVariable dataHome("XDG_DATA_HOME", PathOf("data")); // Send To goes here
    QString question;
    QString confirmation;
    AnswerModal<QMessageBox>([&question, &confirmation](QMessageBox* box) {
        question = box->windowTitle() + "|" + box->text();
        AnswerMessageBox(QMessageBox::Ok, &confirmation); // the registration reports itself
        box->button(QMessageBox::Yes)->click();
    });
    Start(path);
    EXPECT_EQ(question,
              QStringLiteral(u"Kotonami (このメッセージは初めて起動したときのみに表示されます)|"
                             u"Kotonamiをダウンロードしていただきありがとうございます。\n\n"
                             u"「送る」 に Kotonamiを登録しますか？\n"
                             u"(後から登録することもできます)\n\n"));
    EXPECT_EQ(confirmation, QStringLiteral(u"Kotonamiを 「送る」 に登録しました。"));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("data/nautilus/scripts/Kotonami")));
    EXPECT_TRUE(Checked("SpaceItem")) << "reading went on with the defaults";
    Form.reset(); // ended without closing: nothing written, the question comes again
    question.clear();
    AnswerMessageBox(QMessageBox::No, &question);
    Start(path);
    EXPECT_FALSE(question.isEmpty());
    ASSERT_TRUE(Form->close());

    question.clear();
    const ModalCatcher<QMessageBox> boxes([&question](QMessageBox* box) {
        question = box->text();
        box->close();
    });
    Start(path);
    QTest::qWait(100);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_TRUE(question.isEmpty());
}

TEST_F(WindowSettingsTest, DamagedFilesStartWithTheDesignSettings)
{
    std::mt19937 random(11);
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random() & 0xFF);
    const std::vector<std::string> files = {
        noise, "[Setting]\nCountSpace=" + std::string(1024 * 1024, '7') + "\n",
        std::string(4096, '\0'), "\xEF\xBB\xBF[Font]\nName=\xC3\x28\xFF\n"};
    for (const std::string& bytes : files) {
        Start(Write("damaged.ini", bytes));
        EXPECT_TRUE(Checked("SpaceItem"));
        EXPECT_TRUE(Checked("LogicalLineItem"));
        EXPECT_EQ(Editor()->font().pointSize(), DesignFontPointSize);
        EXPECT_TRUE(HistoryCaptions().isEmpty());
        EXPECT_TRUE(Form->close());
    }
}

TEST_F(WindowSettingsTest, AStoredWordListWithABlankIsCleanedWithANotice)
{
    QString notice;
    AnswerMessageBox(QMessageBox::Ok, &notice);
    Start(Write("word.ini", "[Word]\nCharList=@\t'\n"));
    EXPECT_EQ(notice, QString::fromUtf8(WordCharacterSet::RemovalMessage).replace("\r\n", "\n"));
    EXPECT_EQ(Form->WordCharacters().GetCharacterList(), "@'");
}

TEST_F(WindowSettingsTest, HistoryFollowsOpensAndItsMaximum)
{
    const auto open = [this](const char* name) {
        Form->OpenFile(Write(name, name));
        return QString::fromStdString(PathOf(name));
    };
    const QString a = open("a.txt");
    const QString b = open("b.txt");
    open("a.txt");
    EXPECT_EQ(HistoryCaptions(), QStringList({a, b})) << "A, B, A";
    const QString upperA = open("A.txt");
    EXPECT_EQ(HistoryCaptions(), QStringList({upperA, a, b})) << "case differs: two entries";

    SetHistoryMax("3");
    const QString d = open("d.txt");
    EXPECT_EQ(HistoryCaptions(), QStringList({d, upperA, a})) << "at most 3";
    SetHistoryMax("2");
    EXPECT_EQ(HistoryCaptions(), QStringList({d, upperA})) << "lowering keeps the first";

    QString message;
    AnswerMessageBox(QMessageBox::Ok, &message);
    SetHistoryMax("-1");
    EXPECT_EQ(message, QStringLiteral(u"0以上の整数を指定してください\n\n"
                                      u"履歴の最大数は設定できませんでした."));
    open("e.txt");
    EXPECT_EQ(HistoryCaptions().size(), 2) << "the maximum stayed 2";

    SetHistoryMax("7", false, true);
    EXPECT_TRUE(HistoryCaptions().isEmpty()) << "cleared, then Cancel";
    SetHistoryMax("0");
    open("f.txt");
    EXPECT_TRUE(HistoryCaptions().isEmpty()) << "maximum 0";
}

TEST_F(WindowSettingsTest, ChoosingAnEntryOpensItAndAGoneFileIsNamed)
{
    const std::string a = Write("a&b.txt", "A");
    const std::string b = Write("b.txt", "B");
    Form->OpenFile(a);
    Form->OpenFile(b);
    EXPECT_EQ(HistoryCaptions().constLast(), QString::fromStdString(a).replace("&", "&&"));
    History()->actions().constLast()->trigger();
    EXPECT_EQ(Editor()->GetText(), "A");
    EXPECT_EQ(History()->actions().constFirst()->data().toByteArray().toStdString(), a);

    std::remove(b.c_str());
    const int tabs = Tabs()->count();
    QString message;
    AnswerMessageBox(QMessageBox::No, &message);
    History()->actions().constLast()->trigger();
    EXPECT_TRUE(message.contains(QString::fromStdString(b)));
    EXPECT_EQ(Tabs()->count(), tabs);
    EXPECT_EQ(History()->actions().size(), 2) << "the entry stays";
}

TEST_F(WindowSettingsTest, SaveAsAddsTheNameEvenWhenWritingFailsButNotWhenCalledOff)
{
    Type("abc");
    const std::string failed = PathOf("failed.txt");
    AnswerFileDialog(QString::fromStdString(failed));
    {
        const RefusedWrites refused;
        QString error;
        AnswerMessageBox(QMessageBox::Ok, &error);
        EXPECT_NO_THROW(Action("SaveAs1")->trigger());
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(HistoryCaptions(), QStringList{QString::fromStdString(failed)});

    Action("New1")->trigger();
    Type(QStringLiteral(u"ä")); // no Shift-JIS form: the save asks first
    AnswerFileDialog(QString::fromStdString(PathOf("lossy.txt")));
    AnswerMessageBox(QMessageBox::No);
    Action("SaveAs1")->trigger();
    EXPECT_EQ(HistoryCaptions(), QStringList{QString::fromStdString(failed)});
}

TEST_F(WindowSettingsTest, AChangedSettingReachesTheFileWithoutClosing)
{
    const std::string path = Write("live.ini", "");
    Start(path);
    Action("SpaceItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Read(path).find("CountSpace=0") != std::string::npos; }, 10000));
    Form.reset(); // ended without closing, as a crash ends it
    Start(path);
    EXPECT_FALSE(Checked("SpaceItem"));
}

} // namespace
