// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRichEditEx.h"

#include "QtShiftJis.h"
#include "TLineInfo.h"
#include "WrappingLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Laid out at once whatever the clock says: a short text's figures never wait.
constexpr int MinimumBlocks = 256;
// A slice of laying out: the window's events run between two of them.
constexpr std::chrono::milliseconds LayOutSlice(8);
// What a key may spend laying out before the figure is left for later.
constexpr std::chrono::milliseconds LayOutAtOnce(4);

// An undo or a redo is under way (in whichever editor: the window's thread does one at a time).
bool Stepping = false;

} // namespace

TRichEditEx::TRichEditEx(QWidget* parent)
    : TDropRichEdit(parent), FLineInfo(new TLineInfo(this)), FLayOutLater(new QTimer(this))
{
    FLayOutLater->setSingleShot(true);
    FLayOutLater->setInterval(0);
    connect(FLayOutLater, &QTimer::timeout, this, &TRichEditEx::LayOutLater);
    FText = new EditorDocument(this);
    setDocument(FText);
    // The vertical scroll bar stays, so that a text growing past one screen does not narrow the
    // text area: a new width lays out every line of the text again, which for a long novel takes
    // a fraction of a second and a layout object per line.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Whatever changes the text area (typing, scrolling by any means, a new width, a new
    // document) asks for an update of it; the gutter's rows stand on its lines.
    connect(this, &QPlainTextEdit::updateRequest, this, &TRichEditEx::LineInfoUpdateRequest);
    connect(FLineInfo, &TLineInfo::OnChangeSize, this, &TRichEditEx::LineInfoChangeSize);
    LineInfoChangeSize();
    connect(this, &QPlainTextEdit::textChanged, this, &TRichEditEx::TextChanged);
    // An edit clears the layout of the lines it touched.
    connect(FText, &QTextDocument::contentsChange, this,
            [this](int position) { FLaidOutTo = std::min(FLaidOutTo, position); });
    connect(FText, &QTextDocument::undoCommandAdded, this, &TRichEditEx::UndoStepAdded);
    // Every vertical scroll moves the scroll bar, whatever caused it: bar, wheel, keys, dragging.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TRichEditEx::VScroll);
}

EditorDocument* TRichEditEx::Text() const
{
    return FText;
}

void TRichEditEx::Undo()
{
    Step(true);
}

void TRichEditEx::Redo()
{
    Step(false);
}

void TRichEditEx::KeepPlaceOnUndoOfStepSince(int undoCount)
{
    const int now = document()->availableUndoSteps();
    if (now > undoCount)
        FPlaceKeepingSteps[now] = undoCount;
}

// A new step takes the place of every step that could be redone: their marks go. The document
// tells of a step while it undoes one as well, which takes no step's place.
void TRichEditEx::UndoStepAdded()
{
    if (Stepping)
        return;
    FPlaceKeepingSteps.erase(FPlaceKeepingSteps.lower_bound(document()->availableUndoSteps()),
                             FPlaceKeepingSteps.end());
}

// A copy of the caret follows the step's changes as any cursor of the document does, so it
// stands where the writer's text now is; the view goes back to the lines it showed. The document
// counts the commands a step is made of: a marked step is undone from the count after it and
// redone from the count before it.
void TRichEditEx::Step(bool back)
{
    const int count = document()->availableUndoSteps();
    const bool marked =
        back ? FPlaceKeepingSteps.contains(count)
             : std::any_of(FPlaceKeepingSteps.begin(), FPlaceKeepingSteps.end(),
                           [count](const auto& step) { return step.second == count; });
    const QTextCursor caret = textCursor();
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    Stepping = true;
    back ? undo() : redo();
    Stepping = false;
    if (!marked)
        return;
    setTextCursor(caret);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
}

void TRichEditEx::FollowSettingsOf(const TRichEditEx& other)
{
    if (font() != other.font())
        setFont(other.font());
    if (document()->defaultFont() != other.document()->defaultFont())
        document()->setDefaultFont(other.document()->defaultFont());
    if (palette() != other.palette())
        setPalette(other.palette());
    if (lineWrapMode() != other.lineWrapMode())
        ChangeWordWrap(other.WrapsLines());
    if (wordWrapMode() != other.wordWrapMode())
        setWordWrapMode(other.wordWrapMode());
    setTabChangesFocus(other.tabChangesFocus());
    setContextMenuPolicy(other.contextMenuPolicy());
    SetDropAccept(other.DropAccept());
    FWindowShortcuts = other.FWindowShortcuts;
    FInitializing = other.FInitializing;
    FLineInfo->FollowSettingsOf(*other.FLineInfo);
    SetZoom(other.FZoom);
}

void TRichEditEx::TextChanged()
{
    if (FInitializing) {
        if (!document()->isEmpty())
            clear(); // comes back here once with an empty editor
        return;
    }
    emit Change();
}

std::string TRichEditEx::GetText() const
{
    return FText->Text();
}

std::string TRichEditEx::GetSelectedText() const
{
    return FText->SelectedText(textCursor());
}

int TRichEditEx::GetSelectionLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TRichEditEx::SetText(std::string_view shiftJisText)
{
    setPlainText(QtShiftJis::Decode(shiftJisText, Cp932::LineBreaks::Convert));
}

bool TRichEditEx::GetModified() const
{
    return document()->isModified();
}

void TRichEditEx::SetModified(bool value)
{
    document()->setModified(value);
}

bool TRichEditEx::WrapsLines() const
{
    return lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TRichEditEx::ChangeWordWrap(bool value)
{
    TDropRichEdit::ChangeWordWrap(value);
    FLaidOutTo = 0;
}

// The plain-text layout lays blocks out only as they are painted and counts every other block as
// one line. With wrapping on, lay out the lines up to `last` now. Those laid out before at the same
// width and font are skipped, so after the first time only the lines from the first edit on cost
// anything: a key costs the same in a long novel as in a short story.
bool TRichEditEx::LayOutThrough(const QTextBlock& last, std::chrono::milliseconds budget)
{
    auto* layout = qobject_cast<WrappingLayout*>(document()->documentLayout());
    if (!WrapsLines() || !layout || !last.isValid())
        return true;
    if (viewport()->width() != FLaidOutWidth || document()->defaultFont() != FLaidOutFont) {
        FLaidOutWidth = viewport()->width();
        FLaidOutFont = document()->defaultFont();
        FLaidOutTo = 0;
    }
    QTextBlock block = document()->findBlock(FLaidOutTo);
    if (!block.isValid() || block.blockNumber() > last.blockNumber())
        return true;
    QElapsedTimer clock;
    clock.start();
    for (int laidOut = 1;; block = block.next(), ++laidOut) {
        if (block.layout()->lineCount() == 0)
            layout->EnsureLaidOut(block);
        FLaidOutTo = block.position() + block.length();
        if (block == last)
            return true;
        if (laidOut >= MinimumBlocks && laidOut % 64 == 0 &&
            budget != std::chrono::milliseconds::max() &&
            std::chrono::milliseconds(clock.elapsed()) >= budget)
            return false;
    }
}

void TRichEditEx::LayOutLater()
{
    if (!LayOutThrough(document()->findBlock(textCursor().position()), LayOutSlice)) {
        FLayOutLater->start();
        return;
    }
    if (std::exchange(FCaretLineAwaited, false))
        emit CaretLineKnown();
}

std::optional<std::pair<int, int>> TRichEditEx::GetCaretLineColumnSoon()
{
    if (LayOutThrough(document()->findBlock(textCursor().position()), LayOutAtOnce))
        return GetCaretLineColumn();
    FCaretLineAwaited = true;
    FLayOutLater->start();
    return std::nullopt;
}

int TRichEditEx::GetLineCount()
{
    LayOutThrough(document()->lastBlock());
    return std::max(1, document()->lineCount());
}

std::pair<int, int> TRichEditEx::GetCaretLineColumn()
{
    // The caret is the moving end of a selection: the end the writer extends with Shift.
    const int position = textCursor().position();
    const QTextBlock block = document()->findBlock(position);
    LayOutThrough(block);
    const int inBlock = position - block.position();
    int lineInBlock = 0;
    int lineStart = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(inBlock);
        if (line.isValid()) {
            lineInBlock = line.lineNumber();
            lineStart = line.textStart();
        }
    }
    return {inBlock - lineStart + 1, block.firstLineNumber() + lineInBlock + 1};
}

int TRichEditEx::GetFirstVisibleLine() const
{
    // The scroll bar of a plain-text editor counts display lines.
    return verticalScrollBar()->value();
}

bool TRichEditEx::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (FWindowShortcuts.contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return TDropRichEdit::event(event);
}

void TRichEditEx::keyPressEvent(QKeyEvent* event)
{
    TDropRichEdit::keyPressEvent(event);
    emit AfterKeyDown();
}

void TRichEditEx::mousePressEvent(QMouseEvent* event)
{
    TDropRichEdit::mousePressEvent(event);
    emit MouseDown();
}

// The gutter's rows move with every scroll and change with every edit (and LineSpace puts row i
// off its line by i twentieths), so any update of the text area repaints the whole gutter.
void TRichEditEx::LineInfoUpdateRequest()
{
    FLineInfo->update();
}

// The text area starts a pixel right of the gutter; with the gutter at width 0 it has the whole
// editor.
void TRichEditEx::LineInfoChangeSize()
{
    const int width = FLineInfo->width();
    setViewportMargins(width > 0 ? width + 1 : 0, 0, 0, 0);
    PlaceLineInfo();
}

// Beside the text area, not beside a horizontal scroll bar, so that it shows no row for a line
// hidden from view.
void TRichEditEx::PlaceLineInfo()
{
    const QRect area = viewport()->geometry();
    FLineInfo->setGeometry(contentsRect().left(), area.top(), FLineInfo->width(), area.height());
}

// Also called for every new size of the text area: a horizontal scroll bar coming or going.
void TRichEditEx::resizeEvent(QResizeEvent* event)
{
    TDropRichEdit::resizeEvent(event);
    PlaceLineInfo();
}

void TRichEditEx::SetZoom(int steps)
{
    steps = std::clamp(steps, MinZoom, MaxZoom);
    if (steps == FZoom)
        return;
    FZoom = steps;
    ApplyZoom();
}

// The document's font is the one drawn; the widget's font stays the chosen one, and the gutter
// takes the drawn one so that its rows stay beside their lines.
void TRichEditEx::ApplyZoom()
{
    QFont shown = font();
    const double factor = std::pow(1.1, FZoom);
    if (shown.pointSizeF() > 0)
        shown.setPointSizeF(std::max(4.0, shown.pointSizeF() * factor));
    else if (shown.pixelSize() > 0)
        shown.setPixelSize(std::max(5, static_cast<int>(std::lround(shown.pixelSize() * factor))));
    if (document()->defaultFont() != shown)
        document()->setDefaultFont(shown);
    if (FLineInfo->font() != shown)
        FLineInfo->setFont(shown);
}

void TRichEditEx::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        TDropRichEdit::wheelEvent(event);
        return;
    }
    // The base class would change the widget's font itself.
    if (const int delta = event->angleDelta().y(); delta != 0)
        emit ZoomRequested(delta > 0 ? 1 : -1);
    event->accept();
}

// A new font is drawn at the shown size.
void TRichEditEx::changeEvent(QEvent* event)
{
    TDropRichEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ApplyZoom();
}

void TRichEditEx::SetMarks(MarkLayer layer, const QList<QTextEdit::ExtraSelection>& marks)
{
    QList<QTextEdit::ExtraSelection>& held = FMarks[static_cast<std::size_t>(layer)];
    if (held.isEmpty() && marks.isEmpty())
        return; // nothing to repaint
    held = marks;
    QList<QTextEdit::ExtraSelection> all;
    for (const QList<QTextEdit::ExtraSelection>& layerMarks : FMarks)
        all += layerMarks;
    setExtraSelections(all);
}
