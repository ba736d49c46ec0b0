// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TLineInfo.h"

#include "TRichEditEx.h"
#include "analysis/CountSettings.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>

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

TLineInfo::TLineInfo(TRichEditEx* editor) : QWidget(editor), FEditor(editor)
{
    setObjectName(QStringLiteral("LineInfo1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateRowCount();
}

void TLineInfo::SetCountOptions(const CountOptions& options)
{
    if (SameCharacterCounting(options, FCountOptions))
        return;
    FCountOptions = options;
    update();
}

void TLineInfo::SetDefaultAddStr(const QString& value)
{
    FDefaultAddStr = value;
    update();
}

void TLineInfo::SetAddStrLeft(int value)
{
    FAddStrLeft = value;
    update();
}

void TLineInfo::SetShowLineNum(bool value)
{
    FShowLineNum = value;
    FShowBar = FShowLineNum && FShowAddStr;
    setEnabled(FShowLineNum || FShowAddStr);
    LayOut();
}

void TLineInfo::SetShowAddStr(bool value)
{
    FShowAddStr = value;
    FShowBar = FShowLineNum && FShowAddStr;
    setEnabled(FShowLineNum || FShowAddStr);
    LayOut();
}

bool TLineInfo::SetLineSpace(int value)
{
    UpdatePitch();
    // A step of 0 would lay out no rows at all and a negative one would stack them upwards.
    if (RowStep(FPitch, value) <= 0)
        return false;
    FLineSpace = value;
    UpdateRowCount();
    LayOut();
    return true;
}

// Only what differs is set: each setter lays the gutter out again.
void TLineInfo::FollowSettingsOf(const TLineInfo& other)
{
    SetCountOptions(other.FCountOptions);
    if (FDefaultAddStr != other.FDefaultAddStr)
        SetDefaultAddStr(other.FDefaultAddStr);
    if (FAddStrLeft != other.FAddStrLeft)
        SetAddStrLeft(other.FAddStrLeft);
    if (FShowLineNum != other.FShowLineNum)
        SetShowLineNum(other.FShowLineNum);
    if (FShowAddStr != other.FShowAddStr)
        SetShowAddStr(other.FShowAddStr);
    // The editor already has the other's font, so the spacing fits the pitch here too.
    if (FLineSpace != other.FLineSpace)
        SetLineSpace(other.FLineSpace);
}

QString TLineInfo::AddStr(int row) const
{
    return row >= 0 && row < RowCount() ? FRows[row].addStr : QString();
}

int TLineInfo::RowTop(int row) const
{
    return row >= 0 && row < RowCount() ? RowY(row) : 0;
}

// ---- the walk over the display lines in view --------------------------------------------------

// Numbers, places and counts of every row from the editor's own layout of the display lines in
// view; rows below the last line continue at the pitch with the default information text.
void TLineInfo::WalkRows()
{
    const int rows = RowCount();
    QTextBlock block = FEditor->FirstVisibleBlock();
    FTopLineNum = block.isValid() ? block.firstLineNumber() + 1 : 1;
    qreal below = block.isValid() ? FEditor->BlockTop(block) : 0; // bottom of the last row placed
    int row = 0;
    for (; row < rows && block.isValid(); block = block.next()) {
        const qreal top = FEditor->BlockTop(block); // lays the block out when it has not been
        const QString text = block.text();
        const QTextLayout* lines = block.layout();
        for (int line = 0; line < lines->lineCount() && row < rows; ++line) {
            const QTextLine displayLine = lines->lineAt(line);
            // The editor scrolls by display lines: those of the first block above the text area
            // get no row.
            if (top + displayLine.y() + displayLine.height() / 2 < 0)
                continue;
            if (row == 0)
                FTopLineNum = block.firstLineNumber() + line + 1;
            FRows[row++] = {qRound(top + displayLine.y()), qRound(displayLine.ascent()),
                            FShowAddStr ? QString::number(CountCharacters(QStringView(text).mid(
                                              displayLine.textStart(), displayLine.textLength())))
                                        : FDefaultAddStr};
            below = top + displayLine.y() + displayLine.height();
        }
    }
    const int ascent = QFontMetrics(FEditor->document()->defaultFont()).ascent();
    for (; row < rows; ++row, below += FPitch)
        FRows[row] = {qRound(below), ascent, FDefaultAddStr};
}

int TLineInfo::CountCharacters(QStringView text)
{
    FEncoded.clear();
    FEditor->Text()->AppendCountingForm(text, FEncoded);
    return static_cast<int>(
        std::min<std::int64_t>(CountText(FEncoded, FCountOptions, 1).characters, INT_MAX));
}

// ---- rows and their places --------------------------------------------------------------------

// The pitch is the height of one of the editor's lines at its font, so that rows meet lines.
void TLineInfo::UpdatePitch()
{
    const QFont lineFont = FEditor->document()->defaultFont();
    if (FPitch > 0 && lineFont == FPitchFont)
        return;
    FPitchFont = lineFont;
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
    const int rows = step > 0 ? (height() + step - 1) / step : 0;
    // Rows kept keep their last figures until the next paint walks them anew.
    FRows.resize(static_cast<std::size_t>(rows), Row{0, 0, FDefaultAddStr});
}

// Row i stands i × (pitch × 20 + LineSpace) / 20 below the first, the twentieths carried from row
// to row, so beyond the pitch it moves by i × LineSpace / 20 rounded down: a negative spacing takes
// its pixel as soon as it eats into one, as the row step does. LineSpace / 30 moves every row.
int TLineInfo::RowY(int row) const
{
    const std::int64_t twentieths = std::int64_t{row} * FLineSpace;
    const std::int64_t extra = twentieths >= 0 ? twentieths / 20 : -((19 - twentieths) / 20);
    const std::int64_t y = FRows[row].top + extra + FLineSpace / 30;
    return static_cast<int>(std::clamp<std::int64_t>(y, std::numeric_limits<int>::min() / 2,
                                                     std::numeric_limits<int>::max() / 2));
}

// ---- width and painting -----------------------------------------------------------------------

// The number column as wide as the number on the last row, and 4 pixels more; none without numbers.
// As wide as the largest number the text can show, not only the rows in view: a column that
// widened while the writer scrolled would lay out every line of the text again.
int TLineInfo::NumberColumnWidth() const
{
    if (!FShowLineNum)
        return 0;
    const int largest =
        std::max({RowCount() + FTopLineNum - 1, FEditor->document()->lineCount(), FLinesComing});
    return NumberWidth(QFontMetrics(font()), QString::number(largest)) + 4;
}

// The width the columns need for the rows as last walked, the information column as wide as its
// widest count.
int TLineInfo::WantedWidth() const
{
    if (!FShowLineNum && !FShowAddStr)
        return 0;
    if (!FShowAddStr)
        return FAddStrLeft;
    // Room for at least three digits: a wrapped row holds up to a few hundred characters, and a
    // column that widened and narrowed around 100 would re-wrap the editor each time.
    const QFontMetrics metrics(font());
    int widest = NumberWidth(metrics, QStringLiteral("000"));
    for (const Row& row : FRows)
        widest = std::max(widest, NumberWidth(metrics, row.addStr));
    return FAddStrLeft + widest + (FShowLineNum ? BarWidth : 0) + 4;
}

// Puts the line-number column and the gutter's own width, then repaints.
void TLineInfo::FitWidth(int lines)
{
    FLinesComing = lines;
    LayOut();
    FLinesComing = 0;
}

void TLineInfo::LayOut()
{
    FLayOutQueued = false;
    if (AutoAddStrLeft)
        FAddStrLeft = NumberColumnWidth();
    if (const int wanted = WantedWidth(); AutoChangeSize && wanted != width()) {
        resize(wanted, height());
        emit OnChangeSize();
    }
    update();
}

void TLineInfo::paintEvent(QPaintEvent*)
{
    // The editor takes a new font after the gutter has been told of it.
    UpdateRowCount();
    WalkRows();
    if (AutoAddStrLeft)
        FAddStrLeft = NumberColumnWidth();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setFont(font());
    DrawColumns(painter);
    // New figures may need another width; that changes the editor's text area, so not in the
    // middle of a paint.
    if (!FLayOutQueued && AutoChangeSize && WantedWidth() != width()) {
        FLayOutQueued = true;
        QMetaObject::invokeMethod(this, &TLineInfo::LayOut, Qt::QueuedConnection);
    }
}

void TLineInfo::DrawColumns(QPainter& painter) const
{
    const int rows = RowCount();
    if (FShowLineNum) {
        painter.setPen(palette().color(QPalette::WindowText));
        for (int row = 0; row < rows && RowY(row) < height(); ++row)
            painter.drawText(0, RowY(row) + FRows[row].baseline,
                             QString::number(FTopLineNum + row));
    }
    const int x = FShowBar ? FAddStrLeft + BarWidth : FAddStrLeft;
    if (FShowAddStr) {
        painter.setPen(InformationColour);
        for (int row = 0; row < rows && RowY(row) < height(); ++row)
            painter.drawText(x, RowY(row) + FRows[row].baseline, FRows[row].addStr);
    }
    if (FShowBar) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(FAddStrLeft, 0, FAddStrLeft, height());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(FAddStrLeft + 1, 0, FAddStrLeft + 1, height());
    }
}

void TLineInfo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        UpdateRowCount();
        LayOut();
    }
    QWidget::changeEvent(event);
}

void TLineInfo::resizeEvent(QResizeEvent* event)
{
    UpdateRowCount();
    QWidget::resizeEvent(event);
}
