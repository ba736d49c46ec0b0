// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One window per user: later starts of the real program hand their files to this window.

#include "WindowHarness.h"

#include "app/SingleWindow.h"

#include <QDataStream>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>

#include <array>

namespace {

class WindowSingleTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Single = std::make_unique<SingleWindow>(*Form);
    }

    // Runs the program as a writer's second start would, in the test's folder and with the test's
    // settings file; its exit code.
    int Start(QStringList arguments, QByteArray* output = nullptr)
    {
        arguments.prepend(QString::fromStdString(Settings));
        arguments.prepend(QStringLiteral("--settings"));
        QProcess process;
        process.setWorkingDirectory(QFileInfo(QString::fromStdString(PathOf("x"))).path());
        process.start(QApplication::applicationDirPath() + QStringLiteral("/kotonami"), arguments);
        QSignalSpy finished(&process, &QProcess::finished);
        EXPECT_TRUE(finished.wait(20000)); // the event loop runs, so this window can answer
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Tabs()->count(); ++i)
            texts << Tabs()->tabText(i);
        return texts;
    }

    std::unique_ptr<SingleWindow> Single;
    const std::string Settings = Write("Kotonami.ini", "[Setting]\n");
};

TEST_F(WindowSingleTest, ASecondStartHandsItsFilesOverUnlessItAsksForItsOwnWindow)
{
    ASSERT_TRUE(Single->Listen(SingleWindow::ServerName(Settings)));
    Write("first.txt", "one\r\n");
    Write("second.txt", "two\r\n");
    EXPECT_EQ(Start({QStringLiteral("first.txt"), QStringLiteral("second.txt")}), 0);
    EXPECT_TRUE(TabTexts().contains(QStringLiteral("first.txt")));
    EXPECT_TRUE(TabTexts().contains(QStringLiteral("second.txt")));

    Write("own.txt", "own\r\n");
    QByteArray output;
    EXPECT_EQ(Start({QStringLiteral("--new-window"), QStringLiteral("--quit-after-start"),
                     QStringLiteral("own.txt")},
                    &output),
              0);
    EXPECT_TRUE(output.contains("tab: own.txt")) << output.constData();
    EXPECT_FALSE(TabTexts().contains(QStringLiteral("own.txt")));
}

// A window that listens keeps its name: a later window does not take it over, and starts still
// reach the first.
TEST_F(WindowSingleTest, ALiveWindowKeepsTheNameItListensOn)
{
    const QString name = SingleWindow::ServerName(Settings);
    ASSERT_TRUE(Single->Listen(name));
    SingleWindow later(*Form);
    EXPECT_FALSE(later.Listen(name));
    Write("handed.txt", "x\r\n");
    EXPECT_EQ(Start({QStringLiteral("handed.txt")}), 0);
    EXPECT_TRUE(TabTexts().contains(QStringLiteral("handed.txt")));
}

// Two starts at once, as a file manager opening two files makes them: one becomes the window and
// the other hands its file over and ends.
TEST_F(WindowSingleTest, TwoStartsAtOnceMakeOneWindow)
{
    Write("a.txt", "a\r\n");
    Write("b.txt", "b\r\n");
    std::array<QProcess, 2> starts;
    const QString folder = QFileInfo(QString::fromStdString(PathOf("x"))).path();
    const QString file[] = {QStringLiteral("a.txt"), QStringLiteral("b.txt")};
    for (int i = 0; i < 2; ++i) {
        starts[i].setWorkingDirectory(folder);
        starts[i].start(QApplication::applicationDirPath() + QStringLiteral("/kotonami"),
                        {QStringLiteral("--settings"), QString::fromStdString(Settings), file[i]});
    }
    const auto ended = [&] {
        return int(starts[0].state() == QProcess::NotRunning) +
               int(starts[1].state() == QProcess::NotRunning);
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended() == 1; }, 20000));
    QTest::qWait(500); // the window stays
    EXPECT_EQ(ended(), 1);
    for (QProcess& start : starts) {
        if (start.state() != QProcess::NotRunning) {
            start.kill();
            start.waitForFinished(5000);
        } else {
            EXPECT_EQ(start.exitCode(), 0) << start.readAllStandardError().constData();
        }
    }
}

TEST_F(WindowSingleTest, GarbledMessagesAreIgnored)
{
    const std::string path = Write("never.txt", "x\r\n");
    const auto frame = [](const QByteArray& body) {
        QByteArray message;
        QDataStream(&message, QIODevice::WriteOnly) << static_cast<quint32>(body.size());
        return message + body;
    };
    const auto body = [](quint32 mark, const QList<QByteArray>& paths) {
        QByteArray bytes;
        QDataStream(&bytes, QIODevice::WriteOnly) << mark << paths;
        return bytes;
    };
    const QByteArray absolute = QByteArray::fromStdString(path);
    const QByteArray garbled[] = {
        frame("hello"),
        QByteArray("\xff\xff\xff\xff", 4) + "longer than any list of paths",
        frame(body(0x12345678, {absolute})),
        frame(body(0x4B544E31, {QByteArrayLiteral("never.txt")})), // not absolute
        frame(body(0x4B544E31, {absolute}) + "x"),                 // something after the list
    };
    // A name of this test's own: nothing else talks to it.
    const QString name = SingleWindow::ServerName(path);
    ASSERT_TRUE(Single->Listen(name));
    const QStringList before = TabTexts();
    for (const QByteArray& message : garbled) {
        QLocalSocket socket;
        socket.connectToServer(name);
        ASSERT_TRUE(socket.waitForConnected(1000));
        QSignalSpy closed(&socket, &QLocalSocket::disconnected);
        socket.write(message);
        socket.flush();
        EXPECT_TRUE(closed.wait(5000)) << message.toHex().constData();
        EXPECT_TRUE(socket.readAll().isEmpty());
    }
    EXPECT_EQ(TabTexts(), before);
}

} // namespace
