// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextView.h"

#include "AdvanceTable.h"
#include "DocumentRows.h"
#include "NullDocumentLayout.h"
#include "TrackedSelection.h"
#include "paper/TPaper.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// How much text around a place is read to find the character boundaries next to it.
constexpr int Around = 32;
// Tab stops, in blanks of the font.
constexpr int TabStopCharacters = 8;
// How much text around the caret an input method is given (some ignore more than 4,096 units).
constexpr int SurroundingText = 500;

QString TextBetween(const QTextDocument& document, int from, int to)
{
    QString text;
    text.reserve(std::max(to - from, 0));
    for (int at = from; at < to; ++at)
        text += document.characterAt(at);
    return text;
}

} // namespace

struct TextView::RowText
{
    int blockPosition = 0; // the document position of the row's paragraph
    int start = 0;         // the row's first unit within its paragraph
    QString text;
    int Begin() const { return blockPosition + start; }
    int End() const { return Begin() + static_cast<int>(text.size()); }
};

TextView::TextView(QWidget* parent)
    : QAbstractScrollArea(parent), FBreaker(RowBreaker::ForPaper(TPaper()))
{
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TextView::~TextView() = default;

void TextView::SetDocument(QTextDocument* document)
{
    FRows.reset();
    FCaret.reset();
    FDocument = document;
    if (document == nullptr)
        return;
    document->setDocumentLayout(new NullDocumentLayout(document));
    FAdvances = std::make_unique<AdvanceTable>(font());
    FBreaker.SetTabStop(TabStopCharacters * FAdvances->Advance(U' '));
    FRows = std::make_unique<DocumentRows>(*document, *FAdvances, FBreaker,
                                           std::max(viewport()->width() - 2 * Margin(), 1));
    FCaret = std::make_unique<TrackedSelection>(*document);
    connect(document, &QTextDocument::contentsChanged, this, &TextView::Changed,
            Qt::UniqueConnection);
    UpdateScrollBar();
    viewport()->update();
}

int TextView::CaretPosition() const
{
    return FCaret ? FCaret->Position() : 0;
}
int TextView::AnchorPosition() const
{
    return FCaret ? FCaret->Anchor() : 0;
}
std::int64_t TextView::RowCount() const
{
    return FRows ? FRows->RowCount() : 0;
}

void TextView::SetCaret(int position, bool keepAnchor)
{
    MoveCaret(position, keepAnchor);
}

int TextView::RowHeight() const
{
    return fontMetrics().height();
}

std::int64_t TextView::FirstRowInView() const
{
    return verticalScrollBar()->value();
}

TextView::RowText TextView::TextOfRow(std::int64_t row) const
{
    const DocumentRows::Row place = FRows->RowAt(row);
    RowText text;
    text.blockPosition = FDocument->findBlockByNumber(place.block).position();
    text.start = place.start;
    // A window of the paragraph, never the whole of a long one.
    text.text = TextBetween(*FDocument, text.Begin(), text.blockPosition + place.end);
    return text;
}

void TextView::LayOut(QTextLayout& layout, const RowText& row) const
{
    layout.setText(row.text);
    layout.setFont(font());
    const int caret = CaretPosition();
    const bool composing = !FPreedit.isEmpty() && caret >= row.Begin() && caret <= row.End();
    QTextOption option;
    option.setWrapMode(composing ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
    option.setTabStopDistance(FBreaker.TabStop()); // a row's stops count from its own start
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    if (composing) {
        layout.setPreeditArea(caret - row.Begin(), FPreedit);
        QTextLayout::FormatRange underline;
        underline.start = caret - row.Begin();
        underline.length = static_cast<int>(FPreedit.size());
        underline.format.setFontUnderline(true);
        layout.setFormats({underline});
    }
    layout.beginLayout();
    if (layout.preeditAreaText().isEmpty()) {
        layout.createLine();
    } else {
        // What the writer is composing is never cut off at the edge: the row takes as many
        // lines as it needs while the preedit lasts, and the rows below make room.
        const double width = std::max(viewport()->width() - 2 * Margin(), 1);
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, line.lineNumber() * RowHeight()));
        }
    }
    layout.endLayout();
}

int TextView::ComposingLines() const
{
    if (FPreedit.isEmpty() || !FRows)
        return 1;
    QTextLayout layout;
    LayOut(layout, TextOfRow(FRows->RowOf(CaretPosition())));
    return std::max(layout.lineCount(), 1);
}

int TextView::RowTop(std::int64_t row) const
{
    std::int64_t lines = row - FirstRowInView();
    if (!FPreedit.isEmpty() && FRows->RowOf(CaretPosition()) < row)
        lines += ComposingLines() - 1;
    return static_cast<int>(lines) * RowHeight();
}

double TextView::XOf(int position) const
{
    const RowText row = TextOfRow(FRows->RowOf(position));
    QTextLayout layout;
    LayOut(layout, row);
    int offset = position - row.Begin();
    if (!FPreedit.isEmpty() && position == CaretPosition())
        offset += FPreeditCursor;
    return Margin() + layout.lineForTextPosition(offset).cursorToX(offset);
}

QRect TextView::CaretRectangle() const
{
    if (!FRows)
        return {};
    const std::int64_t row = FRows->RowOf(CaretPosition());
    const RowText text = TextOfRow(row);
    QTextLayout layout;
    LayOut(layout, text);
    const int offset = CaretPosition() - text.Begin() + (FPreedit.isEmpty() ? 0 : FPreeditCursor);
    const QTextLine line = layout.lineForTextPosition(offset);
    const int y = RowTop(row) + static_cast<int>(line.isValid() ? line.y() : 0);
    return {static_cast<int>(Margin() + (line.isValid() ? line.cursorToX(offset) : 0)), y, 1,
            RowHeight()};
}

int TextView::PositionAt(QPoint point) const
{
    if (!FRows)
        return 0;
    std::int64_t row = FirstRowInView() + (point.y() < 0 ? -1 : point.y() / RowHeight());
    int lineIndex = 0;
    if (!FPreedit.isEmpty()) {
        // The row being composed stands taller: rows below it are further down.
        const std::int64_t composing = FRows->RowOf(CaretPosition());
        const int extra = ComposingLines() - 1;
        if (row > composing && row <= composing + extra) {
            lineIndex = static_cast<int>(row - composing);
            row = composing;
        } else if (row > composing) {
            row -= extra;
        }
    }
    row = std::clamp<std::int64_t>(row, 0, RowCount() - 1);
    const RowText text = TextOfRow(row);
    QTextLayout layout;
    LayOut(layout, text);
    const QTextLine line = layout.lineAt(std::min(lineIndex, layout.lineCount() - 1));
    return text.Begin() +
           std::min(line.xToCursor(point.x() - Margin()), static_cast<int>(text.text.size()));
}

void TextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    if (!FRows)
        return;
    const int selectionStart = FCaret->SelectionStart();
    const int selectionEnd = FCaret->SelectionEnd();
    for (std::int64_t row = FirstRowInView(); row < RowCount(); ++row) {
        const int y = RowTop(row);
        if (y >= viewport()->height())
            break;
        const RowText text = TextOfRow(row);
        QTextLayout layout;
        LayOut(layout, text);
        QList<QTextLayout::FormatRange> selections;
        if (selectionStart < text.End() + 1 && selectionEnd > text.Begin()) {
            QTextLayout::FormatRange selected;
            selected.start = std::max(selectionStart - text.Begin(), 0);
            selected.length = std::min(selectionEnd, text.End()) - text.Begin() - selected.start;
            selected.format.setBackground(palette().highlight());
            selected.format.setForeground(palette().highlightedText());
            selections << selected;
        }
        painter.setPen(palette().text().color());
        layout.draw(&painter, QPointF(Margin(), y), selections);
    }
    if (hasFocus() || FPreedit.size() > 0)
        painter.fillRect(CaretRectangle(), palette().text());
}

void TextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (FRows)
        FRows->SetWidth(std::max(viewport()->width() - 2 * Margin(), 1));
    UpdateScrollBar();
}

void TextView::scrollContentsBy(int, int)
{
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TextView::UpdateScrollBar()
{
    const int rowsInView = std::max(viewport()->height() / std::max(RowHeight(), 1), 1);
    verticalScrollBar()->setPageStep(rowsInView);
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<std::int64_t>(RowCount() - 1, 0)));
}

void TextView::KeepCaretInView()
{
    const std::int64_t row = FRows->RowOf(CaretPosition());
    const int rowsInView = std::max(viewport()->height() / RowHeight(), 1);
    if (row < FirstRowInView())
        verticalScrollBar()->setValue(static_cast<int>(row));
    else if (row >= FirstRowInView() + rowsInView)
        verticalScrollBar()->setValue(static_cast<int>(row - rowsInView + 1));
}

void TextView::Changed()
{
    UpdateScrollBar();
    KeepCaretInView();
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
    emit CaretMoved();
}

void TextView::MoveCaret(int position, bool keepAnchor)
{
    if (!FCaret)
        return;
    FCaret->MoveTo(position, keepAnchor);
    KeepCaretInView();
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
    emit CaretMoved();
}

int TextView::NextCharacter(int position) const
{
    const int last = FDocument->characterCount() - 1;
    const QTextBlock block = FDocument->findBlock(position);
    const int blockEnd = block.position() + block.length() - 1;
    if (position >= blockEnd)
        return std::min(position + 1, last); // over the paragraph's break
    const int to = std::min(position + Around, blockEnd);
    const QString window = TextBetween(*FDocument, position, to);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, window);
    finder.setPosition(0);
    const qsizetype next = finder.toNextBoundary();
    return position + static_cast<int>(next > 0 ? next : window.size());
}

int TextView::PreviousCharacter(int position) const
{
    const QTextBlock block = FDocument->findBlock(position);
    if (position <= block.position())
        return std::max(position - 1, 0);
    const int from = std::max(position - Around, block.position());
    const QString window = TextBetween(*FDocument, from, position);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, window);
    finder.setPosition(window.size());
    const qsizetype previous = finder.toPreviousBoundary();
    return from + static_cast<int>(previous >= 0 ? previous : 0);
}

// Puts `text` in place of the selection, as one step of undo. The edit block comes first, so that
// placing the cursor works out no x position.
void TextView::Replace(const QString& text)
{
    QTextCursor edit(FDocument);
    edit.beginEditBlock();
    edit.setPosition(FCaret->SelectionStart());
    edit.setPosition(FCaret->SelectionEnd(), QTextCursor::KeepAnchor);
    edit.insertText(text);
    edit.endEditBlock();
    FGoalX = -1;
}

void TextView::MoveByRows(std::int64_t rows, bool keepAnchor)
{
    if (FGoalX < 0)
        FGoalX = XOf(CaretPosition());
    const std::int64_t row =
        std::clamp<std::int64_t>(FRows->RowOf(CaretPosition()) + rows, 0, RowCount() - 1);
    const RowText text = TextOfRow(row);
    QTextLayout layout;
    LayOut(layout, text);
    const double goal = FGoalX;
    MoveCaret(text.Begin() + std::min(layout.lineAt(0).xToCursor(goal - Margin()),
                                      static_cast<int>(text.text.size())),
              keepAnchor);
    FGoalX = goal;
}

void TextView::keyPressEvent(QKeyEvent* event)
{
    if (!FRows) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int caret = CaretPosition();
    const auto across = [&](int position) {
        FGoalX = -1;
        MoveCaret(position, shift);
    };
    if (event->matches(QKeySequence::Undo)) {
        FDocument->undo();
    } else if (event->matches(QKeySequence::Redo)) {
        FDocument->redo();
    } else if (event->matches(QKeySequence::SelectAll)) {
        MoveCaret(0, false);
        MoveCaret(FDocument->characterCount() - 1, true);
    } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        QApplication::clipboard()->setText(
            TextBetween(*FDocument, FCaret->SelectionStart(), FCaret->SelectionEnd())
                .replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
        if (event->matches(QKeySequence::Cut))
            Replace({});
    } else if (event->matches(QKeySequence::Paste)) {
        Replace(QApplication::clipboard()->text());
    } else {
        switch (event->key()) {
        case Qt::Key_Right:
            across(NextCharacter(caret));
            break;
        case Qt::Key_Left:
            across(PreviousCharacter(caret));
            break;
        case Qt::Key_Down:
            MoveByRows(1, shift);
            break;
        case Qt::Key_Up:
            MoveByRows(-1, shift);
            break;
        case Qt::Key_PageDown:
            MoveByRows(verticalScrollBar()->pageStep(), shift);
            break;
        case Qt::Key_PageUp:
            MoveByRows(-verticalScrollBar()->pageStep(), shift);
            break;
        case Qt::Key_Home:
            across(control ? 0 : TextOfRow(FRows->RowOf(caret)).Begin());
            break;
        case Qt::Key_End:
            across(control ? FDocument->characterCount() - 1
                           : TextOfRow(FRows->RowOf(caret)).End());
            break;
        case Qt::Key_Backspace:
            if (!FCaret->HasSelection())
                FCaret->MoveTo(PreviousCharacter(caret), true);
            Replace({});
            break;
        case Qt::Key_Delete:
            if (!FCaret->HasSelection())
                FCaret->MoveTo(NextCharacter(caret), true);
            Replace({});
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Replace(QStringLiteral("\n"));
            break;
        default:
            if (const QString text = event->text(); !text.isEmpty() && text.front().isPrint()) {
                Replace(text);
            } else {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
        }
    }
    event->accept();
}

void TextView::CommitPreedit()
{
    if (!FPreedit.isEmpty())
        QGuiApplication::inputMethod()->commit();
}

void TextView::mousePressEvent(QMouseEvent* event)
{
    CommitPreedit();
    if (event->button() == Qt::LeftButton) {
        FGoalX = -1;
        MoveCaret(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    }
}

void TextView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        MoveCaret(PositionAt(event->position().toPoint()), true);
}

void TextView::focusOutEvent(QFocusEvent* event)
{
    CommitPreedit();
    QAbstractScrollArea::focusOutEvent(event);
}

// A commit (with the text it replaces around the caret, for a reconversion) is one step of undo;
// the preedit is drawn at the caret but is never in the document.
void TextView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!FRows) {
        event->ignore();
        return;
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        const int from = std::clamp(CaretPosition() + event->replacementStart(), 0,
                                    FDocument->characterCount() - 1);
        if (event->replacementLength() > 0 || event->replacementStart() != 0) {
            FCaret->MoveTo(from);
            FCaret->MoveTo(from + event->replacementLength(), true);
        }
        Replace(event->commitString());
    }
    FPreedit = event->preeditString();
    FPreeditCursor = static_cast<int>(FPreedit.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes())
        if (attribute.type == QInputMethodEvent::Cursor)
            FPreeditCursor = attribute.start;
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    event->accept();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!FRows)
        return QAbstractScrollArea::inputMethodQuery(query);
    const int caret = CaretPosition();
    const QTextBlock block = FDocument->findBlock(caret);
    // The surrounding text is the caret's paragraph, clipped around the caret; positions are in
    // UTF-16 units from its start.
    const int from = std::max(block.position(), caret - SurroundingText);
    const int to = std::min(block.position() + block.length() - 1, caret + SurroundingText);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return CaretRectangle();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return caret - from;
    case Qt::ImAnchorPosition:
        return std::clamp(AnchorPosition(), from, to) - from;
    case Qt::ImSurroundingText:
        return TextBetween(*FDocument, from, to);
    case Qt::ImCurrentSelection:
        return TextBetween(*FDocument, std::max(FCaret->SelectionStart(), from),
                           std::min(FCaret->SelectionEnd(), to));
    case Qt::ImTextBeforeCursor:
        return TextBetween(*FDocument, from, caret);
    case Qt::ImTextAfterCursor:
        return TextBetween(*FDocument, caret, to);
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}
