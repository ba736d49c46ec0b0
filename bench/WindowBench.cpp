// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowBench.h"

#include "app/WindowSettingsFile.h"

#include <QDir>
#include <QTest>

#include <fstream>

QTemporaryDir& BenchFolder()
{
    static QTemporaryDir folder;
    return folder;
}

std::string WriteBenchFile(const char* name, const std::string& bytes)
{
    const std::string path = BenchFolder().filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::unique_ptr<TForm1> MakeBenchWindow()
{
    SetWindowSettingsFileName(WriteBenchFile("Kotonami.ini", {}));
    // The recovery files of unsaved changes and the writing log stay in the benchmarks' folder.
    qputenv("XDG_STATE_HOME", BenchFolder().path().toLocal8Bit());
    // A window of an earlier case destroyed with edits leaves its recovery files, which this one
    // would offer in a dialog that nobody answers.
    QDir(BenchFolder().filePath(QStringLiteral("kotonami/recovery"))).removeRecursively();
    qputenv("XDG_DATA_HOME", BenchFolder().path().toLocal8Bit());
    auto form = std::make_unique<TForm1>();
    form->StartUp({});
    form->resize(800, 600);
    form->show();
    (void)QTest::qWaitForWindowExposed(form.get());
    return form;
}
