// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recent-file history, the File menu's "履歴": the files last opened or saved under a new
// name, the most recent first, each once, at most FHistoryMax of them. An entry keeps its path's
// bytes; two paths are the same entry only when every byte is equal. The list lives in the
// settings file's "History" section.

#include <string>
#include <vector>

class QAction;
class QMenu;
class SettingsStore;

class HistoryMenu
{
public:
    static constexpr int DefaultHistoryMax = 10;

    // The entries are the actions of `menu`.
    explicit HistoryMenu(QMenu* menu);

    // Puts the path at the top, taking it from further down; the oldest beyond the most go.
    void Add(const std::string& path);
    // Removes the entry; it may be the one being chosen right now, so it goes once its signal has
    // returned.
    void Remove(QAction* entry);
    void Clear();
    // Keeps at most `n` entries, the most recent.
    void SetHistoryMax(int n);
    int HistoryMax() const noexcept { return FHistoryMax; }
    std::vector<std::string> Entries() const;
    static std::string PathOf(const QAction* entry);

    // A negative most is taken as the default; entries beyond the most are not read.
    void ReadSettings(SettingsStore& file);
    void WriteSettings(SettingsStore& file) const;

private:
    QAction* MakeEntry(const std::string& path);

    QMenu* FMenu;
    int FHistoryMax = DefaultHistoryMax;
};
