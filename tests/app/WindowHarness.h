// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real main window under the offscreen platform, driven as a writer drives it.

#include "analysis/Cp932Codec.h"
#include "app/FontSetup.h"
#include "app/KotonamiApplication.h"
#include "app/RecoveryKeeper.h"
#include "app/TForm1.h"
#include "app/WindowSettingsFile.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TResultForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "ModalDialogs.h"
#include "QtTestApplication.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

// What the window's test program needs once its application exists: the Japanese fonts mapped as
// at start-up, and a settings file away from the program's own for a window made outside
// WindowTest (it exists, so no first-start question is asked).
inline void PrepareWindowTests()
{
    // A warning from Qt is a fault the test did not see (a caret put past the end of the text);
    // only what the offscreen platform and the test machine say are let through.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        static const QStringList allowed = {QStringLiteral("This plugin does not support"),
                                            QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")};
        std::fprintf(stderr, "%s\n", qPrintable(message));
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        for (const QString& start : allowed)
            if (message.startsWith(start))
                return;
        ADD_FAILURE() << "Qt warned: " << message.toStdString();
    });
    SetupFonts();
    static QTemporaryDir settingsFolder;
    QFile settings(settingsFolder.filePath(QStringLiteral("Kotonami.ini")));
    settings.open(QIODevice::WriteOnly);
    SetWindowSettingsFileName(settings.fileName().toStdString());
    // Recovery files of unsaved changes and the writing log go there too, never into the
    // writer's own folders; a test that looks at the log gives itself a folder of its own.
    qputenv("XDG_STATE_HOME", settingsFolder.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", settingsFolder.path().toLocal8Bit());
    // A test that waits for a recovery file waits a moment, not the writer's second; the test of
    // that second gives its window the program's own.
    RecoveryKeeper::SetLatestForNewKeepers(std::chrono::milliseconds(50));
}

// The window's tests run under the program's own application object. An exception that reaches
// it fails the running test: in the program it would have left a slot that a signal called,
// which every command must catch at its own boundary.
class WindowTestApplication : public KotonamiApplication
{
public:
    using KotonamiApplication::KotonamiApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "an exception left a handler: " << error.what();
        } catch (...) {
            ADD_FAILURE() << "an exception left a handler";
        }
        return false;
    }
};

inline const bool WindowTestApplicationUsed =
    QtTestApplication::Use<WindowTestApplication>(PrepareWindowTests);

// Every result dialog shown while it lives: the text it shows and what its copy button copied.
class ReportCatcher
{
public:
    ReportCatcher()
        : FCatcher([this](TResultForm* form) {
              Shown << form->findChild<QLabel*>("Label1")->text();
              form->findChild<QPushButton*>("CopyButton")->click();
              Copied << QGuiApplication::clipboard()->text();
              form->accept();
          })
    {
    }

    QStringList Shown;
    QStringList Copied;

private:
    ModalCatcher<TResultForm> FCatcher;
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        // Each test's windows keep their settings in the test's folder; the file exists, so no
        // first-start question is asked.
        SetWindowSettingsFileName(Write("Kotonami.ini", {}));
        // Each test's windows keep their recovery files in the test's folder as well.
        qputenv("XDG_STATE_HOME", FFolder.path().toLocal8Bit());
        Form = std::make_unique<TForm1>();
        Form->StartUp({});
        Show();
    }

    // The window goes before its folder: its recovery files, written a moment after each edit,
    // would otherwise be written into the folder while it is removed.
    void TearDown() override { Form.reset(); }

    void Show()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        QApplication::setActiveWindow(Form.get());
    }

    TRichEditEx* Editor() const { return Form->Editor(); }
    QTabBar* Tabs() const { return Form->findChild<QTabBar*>("TabControl1"); }
    QAction* Action(const char* name) const { return Form->findChild<QAction*>(name); }
    QString Field(const char* name) const { return Form->findChild<QLineEdit*>(name)->text(); }

    // The six fields in panel order: characters, per line, lines, words, per line, size.
    std::array<QString, 6> Fields() const
    {
        return {Field("CharNumber"), Field("CharNumberPerLine"), Field("LineNumber"),
                Field("WordNumber"), Field("WordNumberPerLine"), Field("TextSize")};
    }

    // Types every character as a key press; characters beyond ASCII come as the key's text.
    void Type(const QString& text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(Editor(), ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, Editor(), Qt::Key_A, QString(ch), Qt::NoModifier);
        }
    }

    std::string PathOf(const char* name) const
    {
        return FFolder.filePath(QString::fromUtf8(name)).toStdString();
    }

    std::string Write(const char* name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    void ClickTab(int index)
    {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
    }

    std::unique_ptr<TForm1> Form;

private:
    QTemporaryDir FFolder;
};
