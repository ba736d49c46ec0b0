// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as it was left: after a restart the docks, their sizes, the tabs and the tab in
// front come back; with two windows open, what one changed survives the other's close.

#include "WindowHarness.h"

#include <QDockWidget>

#include <filesystem>

namespace {

class WindowRestartTest : public WindowTest
{
protected:
    // A window over the settings file at `path`, as the program starts it.
    static std::unique_ptr<TForm1> Start(const std::string& path)
    {
        SetWindowSettingsFileName(path);
        auto form = std::make_unique<TForm1>();
        form->StartUp({});
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    static QDockWidget* Dock(const TForm1& form, const char* name)
    {
        return form.findChild<QDockWidget*>(name);
    }

    static QStringList Captions(const TForm1& form)
    {
        const auto* tabs = form.findChild<QTabBar*>("TabControl1");
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        return captions;
    }

    static QString Front(const TForm1& form)
    {
        const auto* tabs = form.findChild<QTabBar*>("TabControl1");
        return tabs->tabText(tabs->currentIndex());
    }
};

TEST_F(WindowRestartTest, TheDocksTheirSizesTheTabsAndTheFrontTabComeBack)
{
    const std::string path = Write("restart.ini", "");
    std::unique_ptr<TForm1> form = Start(path);
    form->findChild<QAction*>("SaveSizeItem")->trigger();
    form->resize(700, 500);
    form->findChild<QAction*>("ReopenLastFilesItem")->trigger();
    for (const char* name : {"c.txt", "a.txt", "b.txt"})
        form->OpenFile(Write(name, "text"));
    form->findChild<QAction*>("ChapterPanelItem")->trigger();
    form->findChild<QAction*>("ManuscriptCheckItem")->trigger();
    QDockWidget* chapters = Dock(*form, "ChapterPanel");
    QDockWidget* check = Dock(*form, "ManuscriptCheckDock");
    ASSERT_TRUE(chapters->isVisible() && check->isVisible());
    form->resizeDocks({chapters}, {320}, Qt::Horizontal);
    form->resizeDocks({chapters, check}, {200, 400}, Qt::Vertical);
    QCoreApplication::processEvents();
    const QSize chaptersSize = chapters->size();
    const QSize checkSize = check->size();
    auto* tabs = form->findChild<QTabBar*>("TabControl1");
    tabs->setCurrentIndex(static_cast<int>(Captions(*form).indexOf("a.txt")));
    ASSERT_EQ(Front(*form), "a.txt");
    ASSERT_TRUE(form->close());
    form.reset();

    form = Start(path);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(700, 500));
    EXPECT_EQ(Captions(*form), QStringList({"c.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(Front(*form), "a.txt");
    ASSERT_NE(Dock(*form, "ManuscriptCheckDock"), nullptr);
    EXPECT_TRUE(Dock(*form, "ManuscriptCheckDock")->isVisible()) << "the check list reopens";
    EXPECT_TRUE(Dock(*form, "ChapterPanel")->isVisible());
    EXPECT_EQ(Dock(*form, "ChapterPanel")->size(), chaptersSize);
    EXPECT_EQ(Dock(*form, "ManuscriptCheckDock")->size(), checkSize);

    // Closed, the check list stays closed.
    Dock(*form, "ManuscriptCheckDock")->close();
    ASSERT_TRUE(form->close());
    form = Start(path);
    EXPECT_FALSE(Dock(*form, "ManuscriptCheckDock") != nullptr &&
                 Dock(*form, "ManuscriptCheckDock")->isVisible());
    ASSERT_TRUE(form->close());
}

// Two windows over one settings file: each writes only what it changed, whichever closes last.
TEST_F(WindowRestartTest, ASettingChangedInOneWindowSurvivesTheOthersClose)
{
    const std::string path = Write("shared.ini", "");
    std::unique_ptr<TForm1> first = Start(path);
    std::unique_ptr<TForm1> second = Start(path);
    first->findChild<QAction*>("SpaceItem")->trigger();     // off in the first
    second->findChild<QAction*>("WordWrapItem")->trigger(); // on in the second
    ASSERT_TRUE(second->close());
    ASSERT_TRUE(first->close());
    const std::string text = Read(path);
    EXPECT_NE(text.find("CountSpace=0"), std::string::npos) << text;
    EXPECT_NE(text.find("WordWrap=1"), std::string::npos) << text;

    // A window that changed nothing puts nothing back, even after its commands.
    first = Start(path);
    second = Start(path);
    second->findChild<QAction*>("SpaceItem")->trigger(); // on again
    ASSERT_TRUE(second->close());
    first->findChild<QAction*>("RenewInfo")->trigger(); // a command that changes no setting
    ASSERT_TRUE(first->close());
    std::unique_ptr<TForm1> third = Start(path);
    EXPECT_TRUE(third->findChild<QAction*>("SpaceItem")->isChecked());
    EXPECT_TRUE(third->findChild<QAction*>("WordWrapItem")->isChecked());
    ASSERT_TRUE(third->close());
}

} // namespace
