// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryMenu.h"

#include "analysis/SettingsStore.h"

#include <QAction>
#include <QFile>
#include <QMenu>

#include <algorithm>

namespace {

constexpr const char* HistorySection = "History";

} // namespace

HistoryMenu::HistoryMenu(QMenu* menu) : FMenu(menu) {}

std::string HistoryMenu::PathOf(const QAction* entry)
{
    return entry->data().toByteArray().toStdString();
}

// The caption is the whole path as it is; "&" is doubled so that it shows instead of marking a
// shortcut letter.
QAction* HistoryMenu::MakeEntry(const std::string& path)
{
    const QByteArray bytes = QByteArray::fromStdString(path);
    auto* entry = new QAction(QFile::decodeName(bytes).replace(u'&', QStringLiteral("&&")), FMenu);
    entry->setData(bytes);
    return entry;
}

std::vector<std::string> HistoryMenu::Entries() const
{
    std::vector<std::string> paths;
    for (const QAction* entry : FMenu->actions())
        paths.push_back(PathOf(entry));
    return paths;
}

void HistoryMenu::Remove(QAction* entry)
{
    FMenu->removeAction(entry);
    entry->deleteLater();
}

void HistoryMenu::Add(const std::string& path)
{
    for (QAction* entry : FMenu->actions())
        if (PathOf(entry) == path)
            Remove(entry);
    const QList<QAction*> entries = FMenu->actions();
    FMenu->insertAction(entries.isEmpty() ? nullptr : entries.constFirst(), MakeEntry(path));
    SetHistoryMax(FHistoryMax);
}

void HistoryMenu::SetHistoryMax(int n)
{
    FHistoryMax = std::max(n, 0);
    QList<QAction*> entries = FMenu->actions();
    while (entries.size() > FHistoryMax)
        Remove(entries.takeLast());
}

void HistoryMenu::Clear()
{
    for (QAction* entry : FMenu->actions())
        Remove(entry);
}

void HistoryMenu::ReadSettings(SettingsStore& file)
{
    const int maximum = file.ReadInteger(HistorySection, "MaxNum", DefaultHistoryMax);
    FHistoryMax = maximum >= 0 ? maximum : DefaultHistoryMax;
    const int count = std::min(file.ReadInteger(HistorySection, "Num", 0), FHistoryMax);
    for (int i = 0; i < count; ++i) {
        const std::string path = file.ReadString(HistorySection, std::to_string(i), {});
        if (path.empty())
            break;
        FMenu->addAction(MakeEntry(path));
    }
}

void HistoryMenu::WriteSettings(SettingsStore& file) const
{
    const std::vector<std::string> entries = Entries();
    file.WriteInteger(HistorySection, "MaxNum", FHistoryMax);
    file.WriteInteger(HistorySection, "Num", static_cast<std::int32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        file.WriteString(HistorySection, std::to_string(i), entries[i]);
}
