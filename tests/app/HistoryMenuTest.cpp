// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recent-file history against a plain list of paths: whatever the writer opens, removes or
// limits, the menu holds the most recent paths, each once, newest first, no more than the most.

#include "app/HistoryMenu.h"

#include "shell/TIniFile.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(HistoryMenu, KeepsTheMostRecentPathsOnceNewestFirst)
{
    const std::vector<std::string> pool = {"/a.txt",    "/b.txt", "/c&d.txt",
                                           "/原稿.txt", "/e.txt", "/f.txt"};
    QMenu menu;
    HistoryMenu history(&menu);
    std::deque<std::string> model;
    int most = HistoryMenu::DefaultHistoryMax;
    QTemporaryDir folder;
    std::mt19937 random(20261208);
    for (int step = 0; step < 3000; ++step) {
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0:
            most = std::uniform_int_distribution<int>(0, 5)(random);
            history.SetHistoryMax(most);
            break;
        case 1:
            if (!menu.actions().isEmpty()) {
                const auto at =
                    std::uniform_int_distribution<qsizetype>(0, menu.actions().size() - 1)(random);
                history.Remove(menu.actions().at(at));
                model.erase(model.begin() + at);
            }
            break;
        case 2:
            if (step % 50 == 0) {
                history.Clear();
                model.clear();
            }
            break;
        default: {
            const std::string& path =
                pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
            history.Add(path);
            model.erase(std::remove(model.begin(), model.end(), path), model.end());
            model.push_front(path);
            break;
        }
        }
        while (static_cast<int>(model.size()) > most)
            model.pop_back();
        ASSERT_EQ(history.Entries(), std::vector<std::string>(model.begin(), model.end()))
            << "step " << step;
        if (step % 100 == 0) {
            TIniFile file(folder.filePath(QStringLiteral("Kotonami.ini")).toStdString());
            history.WriteSettings(file);
            QMenu readMenu;
            HistoryMenu read(&readMenu);
            read.ReadSettings(file);
            ASSERT_EQ(read.Entries(), history.Entries()) << "step " << step;
            ASSERT_EQ(read.HistoryMax(), history.HistoryMax());
        }
    }
}

} // namespace
