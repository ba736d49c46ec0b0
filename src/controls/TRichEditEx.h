// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's editor, TextRichEdit; each tab has one of its own. Besides the drop handling of
// TDropRichEdit it hands out its text and its selection as Shift-JIS bytes with CR LF line breaks,
// answers the display-line questions of the status bar and the counts, and raises AfterKeyDown,
// MouseDown, VScroll and Change for the window. Its gutter, LineInfo1, stands at the left of the
// text area and repaints whenever the area does.

#include "controls/EditorDocument.h"
#include "controls/TDropRichEdit.h"

#include <QFont>
#include <QKeySequence>
#include <QList>
#include <QRect>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class TLineInfo;

class TRichEditEx : public TDropRichEdit
{
    Q_OBJECT

public:
    explicit TRichEditEx(QWidget* parent = nullptr);

    // The editor's text, a document of its own made with it.
    EditorDocument* Text() const;

    // The whole text as Shift-JIS with CR LF line breaks. Characters without a Shift-JIS form come
    // out as "?".
    std::string GetText() const;
    // The selected text, converted the same way; empty without a selection.
    std::string GetSelectedText() const;
    int GetSelectionLength() const;
    // Puts a Shift-JIS text (any line breaks) into the editor; raises Change like typing does.
    void SetText(std::string_view shiftJisText);

    bool GetModified() const;
    void SetModified(bool value);

    // (column, line) of the caret (the moving end of a selection), both from 1, counted in display
    // lines.
    std::pair<int, int> GetCaretLineColumn();
    // The same when the lines before the caret can be laid out within a few milliseconds;
    // otherwise nothing now: they are laid out a slice at a time between the window's events,
    // and CaretLineKnown is raised once they are. Wrapping a long novel anew takes seconds, and
    // the writer can go on meanwhile.
    std::optional<std::pair<int, int>> GetCaretLineColumnSoon();
    int GetFirstVisibleLine() const;
    // Display lines of the whole text at the current width (1 for an empty editor).
    int GetLineCount();

    // A new wrapping lays out every line again.
    void ChangeWordWrap(bool value) override;

    TLineInfo* LineInfo() const { return FLineInfo; }
    // Takes the other editor's font, colours, wrapping, keys and gutter settings, changing only
    // what differs: a new font or width lays out the whole text again.
    void FollowSettingsOf(const TRichEditEx& other);
    // For the gutter: the first block in view, and the top of a block in the text area (which
    // lays the block out if it has not been yet).
    QTextBlock FirstVisibleBlock() const { return firstVisibleBlock(); }
    qreal BlockTop(const QTextBlock& block) const
    {
        return blockBoundingGeometry(block).translated(contentOffset()).top();
    }

    // The marks that parts following the editor draw over its text, each part in a layer of its
    // own: setting one layer's marks leaves the other layers' in place. Later layers are drawn
    // over earlier ones.
    enum class MarkLayer
    {
        Find,
        Check,
        Count
    };
    void SetMarks(MarkLayer layer, const QList<QTextEdit::ExtraSelection>& marks);

    // Undo and redo of the document's steps. A step marked to keep the writer's place (a
    // replace-all, whose changes lie all over the text) leaves the caret and the view where they
    // were, instead of going to the change the step ends with.
    void Undo();
    void Redo();
    // Marks so the step the document took since it had `undoCount` commands to undo (its
    // availableUndoSteps() before the edit).
    void KeepPlaceOnUndoOfStepSince(int undoCount);

    // While initializing, every change empties the editor and raises nothing.
    void SetInitializing(bool value) noexcept { FInitializing = value; }

    // Key combinations that belong to the window's commands, not to the editor's own key handling
    // (Ctrl+K, for instance, would otherwise delete to the end of the line).
    void SetWindowShortcuts(QList<QKeySequence> shortcuts)
    {
        FWindowShortcuts = std::move(shortcuts);
    }

    // The shown size, in steps of a tenth from the font's own size (0): the text and the gutter
    // are drawn larger or smaller, while font() stays the font the writer chose.
    static constexpr int MinZoom = -8;
    static constexpr int MaxZoom = 20;
    int Zoom() const noexcept { return FZoom; }
    void SetZoom(int steps);

signals:
    void Change();
    // Ctrl and the wheel: the writer asks for a larger (+1) or smaller (-1) shown size.
    void ZoomRequested(int step);
    void AfterKeyDown();
    void MouseDown();
    void VScroll();
    // GetCaretLineColumnSoon had no answer, and now has one.
    void CaretLineKnown();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyZoom();
    // Undoes (or redoes) one step; keeps the caret and the scroll when the step is marked.
    void Step(bool back);
    void UndoStepAdded();
    void TextChanged();
    // Lays out the lines up to `last`; with a budget, stops once at least MinimumBlocks were
    // laid out and the budget is spent. Tells whether `last` was reached.
    bool LayOutThrough(const QTextBlock& last,
                       std::chrono::milliseconds budget = std::chrono::milliseconds::max());
    void LayOutLater();
    bool WrapsLines() const;
    void LineInfoUpdateRequest();
    void LineInfoChangeSize();
    void PlaceLineInfo();

    TLineInfo* FLineInfo;

    bool FInitializing = true;
    std::array<QList<QTextEdit::ExtraSelection>, static_cast<std::size_t>(MarkLayer::Count)> FMarks;
    QList<QKeySequence> FWindowShortcuts;
    // The undo steps that keep the writer's place: the document's count of undo commands after
    // each, and before it.
    std::map<int, int> FPlaceKeepingSteps;
    EditorDocument* FText = nullptr;
    // With wrapping on, every line from the start of the text up to this position is laid out at
    // FLaidOutWidth in FLaidOutFont: the display lines before it are known.
    int FLaidOutTo = 0;
    int FLaidOutWidth = 0; // of the text area
    QFont FLaidOutFont;
    int FZoom = 0;
    QTimer* FLayOutLater; // the next slice of laying out toward the caret
    bool FCaretLineAwaited = false;
};
