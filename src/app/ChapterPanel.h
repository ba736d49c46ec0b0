// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dock beside the editor that shows the chapters of the text in front: a tree of chapters with
// their characters, sheets and a bar of each one's share of the longest of its level. The chapter
// holding the caret is the current one; a click or Enter on a chapter puts the caret on its
// heading. It follows the edits of the text through its outline, and the sheets of a changed
// chapter are counted once the writer pauses.

#include "ChapterOutline.h"

#include <QDockWidget>
#include <QPointer>

#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TRichEditEx;

class ChapterPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit ChapterPanel(QWidget* parent);

    // What the figures are counted under; every chapter is counted again.
    void SetCounting(ChapterCounting counting);
    const ChapterCounting& Counting() const noexcept { return FCounting; }
    // The editor whose text is shown (the one in front).
    void Follow(TRichEditEx* editor);
    // The pause after an edit before the sheets of the changed chapters are counted.
    static constexpr int SheetPauseMs = 400;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Attach();
    void Detach();
    void ShowStructure();
    void ShowFigures();
    void FitColumn(int column, const QString& widest);
    void ShowCaret();
    void MoveCaretTo(QTreeWidgetItem* item);
    void GoTo(QTreeWidgetItem* item);
    void CountSheets();

    ChapterCounting FCounting;
    QTreeWidget* FTree;
    QLabel* FGaveUp;
    QTimer* FSheetPause;
    QPointer<TRichEditEx> FEditor;
    QPointer<ChapterOutline> FOutline;    // of FEditor's text, while the panel is shown
    std::vector<QTreeWidgetItem*> FItems; // by chapter
    // What each item shows (characters, sheets, sheets known, the longest of its level), so
    // that a key redraws only the chapters it changed.
    using Figures = std::array<std::int64_t, 4>;
    std::vector<Figures> FShown;
    QList<QMetaObject::Connection> FConnections;
};
