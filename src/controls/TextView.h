// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor view of our own, horizontal: it shows a document by rows that come from each
// character's advance (DocumentRows), shapes and draws only the rows in view, and keeps the caret
// and the anchor as plain positions, so that no key lays out a whole paragraph. It types, deletes
// by character, moves the caret by character, row, row end and screen, selects with Shift and the
// mouse, and takes text from an input method with its preedit drawn at the caret.

#include "rows/RowBreaker.h"

#include <QAbstractScrollArea>

#include <memory>

class AdvanceTable;
class DocumentRows;
class QTextDocument;
class QTextLayout;
class TrackedSelection;

class TextView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    // Shows `document`, which gets a layout that lays out nothing; the view does not own it.
    void SetDocument(QTextDocument* document);
    QTextDocument* Document() const { return FDocument; }

    int CaretPosition() const;
    int AnchorPosition() const;
    void SetCaret(int position, bool keepAnchor = false);
    std::int64_t RowCount() const;

    // The caret's bar, and the place under a point, in the coordinates of the viewport.
    QRect CaretRectangle() const;
    int PositionAt(QPoint point) const;

    // What an input method asks: the caret's bar, the font, the text around the caret.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void CaretMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct RowText;
    RowText TextOfRow(std::int64_t row) const;
    void LayOut(QTextLayout& layout, const RowText& row) const;
    int RowHeight() const;
    int ComposingLines() const;
    int RowTop(std::int64_t row) const;
    int Margin() const { return 4; }
    std::int64_t FirstRowInView() const;
    double XOf(int position) const;
    int NextCharacter(int position) const;
    int PreviousCharacter(int position) const;
    void Replace(const QString& text);
    void MoveCaret(int position, bool keepAnchor);
    void MoveByRows(std::int64_t rows, bool keepAnchor);
    void KeepCaretInView();
    void UpdateScrollBar();
    void CommitPreedit();
    void Changed();

    QTextDocument* FDocument = nullptr;
    std::unique_ptr<AdvanceTable> FAdvances;
    RowBreaker FBreaker;
    std::unique_ptr<DocumentRows> FRows;
    std::unique_ptr<TrackedSelection> FCaret;
    double FGoalX = -1; // the x the caret keeps over rows of other lengths (↑ ↓)
    QString FPreedit;
    int FPreeditCursor = 0;
};
