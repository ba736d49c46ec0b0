#include "TLineInfo.h"

#include "QtShiftJis.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

// The information column is navy whatever the palette.
const QColor InformationColour(0, 0, 128);

// The width a number text needs with every digit as wide as the widest digit. In a font with
// proportional digits the gutter would otherwise change width as the figures change while the
// writer types, and every change of width makes the editor wrap the whole text anew.
int NumberWidth(const QFontMetrics& metrics, QString text)
{
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    for (QChar& ch : text)
        if (ch.isDigit())
            ch = widest;
    return metrics.horizontalAdvance(text);
}

} // namespace

TLineInfo::TLineInfo(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetSize(20, 100);
}

void TLineInfo::SetEditor(QPlainTextEdit* editor)
{
    if (FEditor)
        disconnect(FEditor->verticalScrollBar(), nullptr, this, nullptr);
    FEditor = editor;
    // Whatever scrolls the editor (scroll bar, wheel, keys, a dragged selection) moves the rows.
    if (editor)
        connect(editor->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this] { Refresh(); });
    UpdateRowCount();
    ResetAddStrs();
}

void TLineInfo::SetTopLineNum(int value)
{
    if (value == FTopLineNum)
        return;
    FTopLineNum = value;
    Paint();
}

void TLineInfo::SetAutoAddStrLeft(bool value)
{
    if (value == FAutoAddStrLeft)
        return;
    FAutoAddStrLeft = value;
    Paint();
}

void TLineInfo::SetShowLineNum(bool value)
{
    FShowLineNum = value;
    FShowBar = FShowLineNum && FShowAddStr;
    setEnabled(FShowLineNum || FShowAddStr);
    Paint();
}

void TLineInfo::SetShowAddStr(bool value)
{
    FShowAddStr = value;
    FShowBar = FShowLineNum && FShowAddStr;
    setEnabled(FShowLineNum || FShowAddStr);
    Paint();
}

void TLineInfo::SetBarWidth(int value)
{
    FBarWidth = value;
    Paint();
}

bool TLineInfo::SetLineSpace(int value)
{
    UpdatePitch();
    // A step of 0 would lay out no rows at all and a negative one would stack them upwards.
    if (RowStep(FPitch, value) <= 0)
        return false;
    FLineSpace = value;
    Paint();
    return true;
}

QString TLineInfo::AddStr(int row) const
{
    return FAddStrs.value(row);
}

void TLineInfo::SetAddStr(int row, const QString& text)
{
    if (row >= 0 && row < FAddStrs.size())
        FAddStrs[row] = text;
}

int TLineInfo::RowTop(int row) const
{
    return row >= 0 && row < static_cast<int>(FRowPlaces.size()) ? RowY(row) : 0;
}

void TLineInfo::SetSize(int width, int height)
{
    resize(width, height);
    UpdateRowCount();
    ResetAddStrs();
}

int TLineInfo::EditorTextTop() const
{
    if (!FEditor)
        return 0;
    const QTextBlock block = FEditor->document()->findBlockByLineNumber(FirstVisibleLine());
    if (!block.isValid())
        return FEditor->viewport()->y();
    QTextCursor cursor(block);
    const qreal blockTop = FEditor->cursorRect(cursor).top() - block.layout()->lineAt(0).y();
    const int k = FirstVisibleLine() - block.firstLineNumber();
    return FEditor->viewport()->y() + qRound(blockTop + block.layout()->lineAt(k).y());
}

// ---- filling the rows -------------------------------------------------------------------------

void TLineInfo::Refresh()
{
    if (!FShowAddStr && !FShowLineNum)
        return;
    FTopLineNum = FirstVisibleLine() + 1;
    if (FShowAddStr)
        FillRowsFromEditor();
    Paint();
}

void TLineInfo::Refresh(const std::vector<std::string>& lines)
{
    if (!FShowAddStr && !FShowLineNum)
        return;
    FTopLineNum = FirstVisibleLine() + 1;
    if (FShowAddStr)
        FillRowsFromLines(lines);
    Paint();
}

int TLineInfo::FirstVisibleLine() const
{
    // The editor scrolls by whole display lines and its scroll bar counts them, wrapped or not.
    return FEditor ? FEditor->verticalScrollBar()->value() : 0;
}

// Counts only the rows' own display lines: this runs on every key press and scroll step.
void TLineInfo::FillRowsFromEditor()
{
    const int rows = static_cast<int>(FAddStrs.size());
    int row = 0;
    if (FEditor) {
        QTextDocument* document = FEditor->document();
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        const int first = FirstVisibleLine();
        QTextBlock block = document->findBlockByLineNumber(first);
        int line = block.isValid() ? first - block.firstLineNumber() : 0;
        for (; row < rows && block.isValid(); block = block.next(), line = 0) {
            layout->blockBoundingRect(block); // lays the block out when it has not been yet
            const QString text = block.text();
            const QTextLayout* lines = block.layout();
            for (; line < lines->lineCount() && row < rows; ++line, ++row) {
                const QTextLine displayLine = lines->lineAt(line);
                const QStringView part =
                    QStringView(text).mid(displayLine.textStart(), displayLine.textLength());
                FAddStrs[row] = QString::number(CountCharacters(part));
            }
        }
    }
    for (; row < rows; ++row)
        FAddStrs[row] = QStringLiteral("0");
}

void TLineInfo::FillRowsFromLines(const std::vector<std::string>& lines)
{
    const int rows = static_cast<int>(FAddStrs.size());
    const int count = static_cast<int>(lines.size());
    const int first = FirstVisibleLine();
    int row = 0;
    for (; row < rows && first + row < count; ++row)
        FAddStrs[row] = QString::number(CountCharacters(lines[first + row]));
    for (; row < rows; ++row)
        FAddStrs[row] = QStringLiteral("0");
}

int TLineInfo::CountCharacters(QStringView text)
{
    FEncoded.clear();
    QtShiftJis::EncodeForCounting(text, FEncoded);
    return CountCharacters(FEncoded);
}

int TLineInfo::CountCharacters(const std::string& shiftJis) const
{
    return CountText(shiftJis, FCountOptions, 1).characters;
}

// ---- rows and their places --------------------------------------------------------------------

// The pitch is the height of one of the editor's lines at its font, so that rows meet lines.
void TLineInfo::UpdatePitch()
{
    const QFont lineFont = FEditor ? FEditor->document()->defaultFont() : font();
    QTextLayout layout(QStringLiteral("0"), lineFont);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    FPitch = std::max(1, qRound(line.height()));
}

// Wide arithmetic throughout: the spacing is whatever integer the writer typed.
int TLineInfo::RowStep(int pitch, int lineSpace)
{
    return static_cast<int>((std::int64_t{pitch} * 20 + lineSpace) / 20);
}

void TLineInfo::UpdateRowCount()
{
    UpdatePitch();
    const int step = RowStep(FPitch, FLineSpace);
    FRowCount = step > 0 ? (height() + step - 1) / step : 0;
}

void TLineInfo::ResetAddStrs()
{
    FAddStrs = QStringList(FRowCount, FDefaultAddStr);
}

// Takes each row's top and baseline from the editor's own layout of its display line; rows below
// the last line continue at the pitch.
void TLineInfo::UpdateRowPlaces()
{
    FRowPlaces.assign(static_cast<std::size_t>(FRowCount), RowPlace{});
    const int ascent = QFontMetrics(FEditor ? FEditor->document()->defaultFont() : font()).ascent();
    qreal y = 0;
    qreal below = 0; // bottom of the last line placed
    int row = 0;
    if (FEditor) {
        QAbstractTextDocumentLayout* layout = FEditor->document()->documentLayout();
        const int first = FirstVisibleLine();
        QTextBlock block = FEditor->document()->findBlockByLineNumber(first);
        int line = block.isValid() ? first - block.firstLineNumber() : 0;
        if (block.isValid()) {
            layout->blockBoundingRect(block);
            const QTextLayout* lines = block.layout();
            const qreal top = FEditor->cursorRect(QTextCursor(block)).top() - lines->lineAt(0).y();
            y = top + ViewportToGutter(top + lines->lineAt(line).y());
            below = y;
        }
        for (; row < FRowCount && block.isValid(); block = block.next(), line = 0) {
            const qreal blockHeight = layout->blockBoundingRect(block).height();
            const QTextLayout* lines = block.layout();
            for (; line < lines->lineCount() && row < FRowCount; ++line, ++row) {
                const QTextLine displayLine = lines->lineAt(line);
                FRowPlaces[row] = {qRound(y + displayLine.y()), qRound(displayLine.ascent())};
                below = y + displayLine.y() + displayLine.height();
            }
            y += blockHeight;
        }
    }
    for (; row < FRowCount; ++row, below += FPitch)
        FRowPlaces[row] = {qRound(below), ascent};
}

// The distance from the editor viewport's coordinates to the gutter's. Beside the editor in the
// same window that is where the two really are; elsewhere the first row is put at the top.
qreal TLineInfo::ViewportToGutter(qreal firstLineTop) const
{
    if (FEditor->window() != window())
        return -firstLineTop;
    return FEditor->viewport()->mapTo(window(), QPoint()).y() - mapTo(window(), QPoint()).y();
}

// Row i stands i × (pitch × 20 + LineSpace) / 20 below the first, the twentieths carried from row
// to row, so beyond the pitch it moves by i × LineSpace / 20 rounded down: a negative spacing takes
// its pixel as soon as it eats into one, as the row step does. LineSpace / 30 moves every row.
int TLineInfo::RowY(int row) const
{
    const std::int64_t twentieths = std::int64_t{row} * FLineSpace;
    const std::int64_t extra = twentieths >= 0 ? twentieths / 20 : -((19 - twentieths) / 20);
    const std::int64_t y = FRowPlaces[row].top + extra + FLineSpace / 30;
    return static_cast<int>(std::clamp<std::int64_t>(y, std::numeric_limits<int>::min() / 2,
                                                     std::numeric_limits<int>::max() / 2));
}

// ---- painting ---------------------------------------------------------------------------------

void TLineInfo::Paint()
{
    if (!LayOut())
        return;
    UpdateRowPlaces();
    Render();
    update();
}

// Puts the line-number column and the gutter's own width; false when nothing is to be drawn.
bool TLineInfo::LayOut()
{
    if (!FShowLineNum && !FShowAddStr) {
        if (FAutoChangeSize) {
            resize(0, height());
            emit OnChangeSize();
        }
        return false;
    }
    const QFontMetrics metrics(font());
    if (FAutoAddStrLeft)
        FAddStrLeft = FShowLineNum
                          ? NumberWidth(metrics, QString::number(FRowCount + FTopLineNum - 1)) + 4
                          : 0;
    if (FAutoChangeSize) {
        // Room for at least three digits: a wrapped row holds up to a few hundred characters,
        // and a column that widened and narrowed around 100 would re-wrap the editor each time.
        int widest = NumberWidth(metrics, QStringLiteral("000"));
        for (const QString& text : FAddStrs)
            widest = std::max(widest, NumberWidth(metrics, text));
        int newWidth = FAddStrLeft;
        if (FShowAddStr)
            newWidth += widest + (FShowLineNum ? FBarWidth : 0) + 4;
        if (newWidth != width()) {
            resize(newWidth, height());
            emit OnChangeSize();
        }
    }
    return true;
}

void TLineInfo::Render()
{
    if (width() <= 0 || height() <= 0) {
        FBuffer = QPixmap();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (FBuffer.size() != pixels) {
        FBuffer = QPixmap(pixels);
        FBuffer.setDevicePixelRatio(ratio);
    }
    FBuffer.fill(palette().color(QPalette::Button));
    QPainter painter(&FBuffer);
    painter.setFont(font());
    DrawColumns(painter);
}

void TLineInfo::DrawColumns(QPainter& painter) const
{
    const int rows = static_cast<int>(FRowPlaces.size());
    if (FShowLineNum) {
        painter.setPen(palette().color(QPalette::WindowText));
        for (int row = 0; row < rows && RowY(row) < height(); ++row)
            painter.drawText(0, RowY(row) + FRowPlaces[row].baseline,
                             QString::number(FTopLineNum + row));
    }
    const int x = FShowBar ? FAddStrLeft + FBarWidth : FAddStrLeft;
    if (FShowAddStr) {
        painter.setPen(InformationColour);
        for (int row = 0; row < rows && RowY(row) < height(); ++row)
            painter.drawText(x, RowY(row) + FRowPlaces[row].baseline, FAddStrs.value(row));
    }
    if (FShowBar) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(FAddStrLeft, 0, FAddStrLeft, height());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(FAddStrLeft + 1, 0, FAddStrLeft + 1, height());
    }
}

void TLineInfo::paintEvent(QPaintEvent*)
{
    if (FBuffer.deviceIndependentSize().toSize() != size() ||
        !qFuzzyCompare(FBuffer.devicePixelRatio(), devicePixelRatioF())) {
        UpdateRowPlaces();
        Render();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, FBuffer);
}

void TLineInfo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        UpdateRowCount();
        ResetAddStrs();
    }
    QWidget::changeEvent(event);
}

// The window sizes the gutter through SetSize; a resize from elsewhere (a layout) recounts the
// rows too, but keeps the row texts when their number stays.
void TLineInfo::resizeEvent(QResizeEvent* event)
{
    const int rows = FRowCount;
    UpdateRowCount();
    if (FRowCount != rows)
        ResetAddStrs();
    QWidget::resizeEvent(event);
}
