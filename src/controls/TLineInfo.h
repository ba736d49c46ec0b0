// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line-information gutter at the left of the editor's text area: for every display line in
// view its number and, in navy, the line's character count under the counting switches. It is a
// child of the editor, which gives it room beside the text area and asks it to repaint whenever
// the text area changes (typing, scrolling by any means, a new width). Every paint walks the
// display lines in view once, and the figures it finds stay readable until the next paint.
//
// Row i sits on the (first visible + i)-th display line; rows below the last line of the text
// continue at the editor's line pitch. LineSpace adds twentieths of a pixel per row on top of
// that. The gutter sizes its own width to what it shows and announces a new width with
// OnChangeSize.

#include "analysis/TextStatistics.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QPainter;
class TRichEditEx;

class TLineInfo : public QWidget
{
    Q_OBJECT

public:
    explicit TLineInfo(TRichEditEx* editor);

    // The counting switches used for the information column; repaints when they change.
    void SetCountOptions(const CountOptions& options);

    // The number on the first row, as last painted.
    int TopLineNum() const { return FTopLineNum; }
    // The information text of rows below the last line of the text.
    void SetDefaultAddStr(const QString& value);
    int AddStrLeft() const { return FAddStrLeft; }
    void SetAddStrLeft(int value);
    bool ShowLineNum() const { return FShowLineNum; }
    void SetShowLineNum(bool value);
    bool ShowAddStr() const { return FShowAddStr; }
    void SetShowAddStr(bool value);
    int LineSpace() const { return FLineSpace; }
    // Refuses (returns false, the old spacing stays) a value that would make the row step 0 or
    // less at the current pitch.
    bool SetLineSpace(int value);
    // Takes every setting above from another editor's gutter.
    void FollowSettingsOf(const TLineInfo& other);
    // Takes the width its rows need now rather than after the next paint, for a text of at least
    // `lines` lines: before a long text goes in, so that the editor's text area keeps its width (a
    // new one lays out every line again).
    void FitWidth(int lines = 0);

    // Rows that fit the gutter's height at the row step.
    int RowCount() const { return static_cast<int>(FRows.size()); }
    // Information text of a row (0 … RowCount − 1) as last painted; empty out of range.
    QString AddStr(int row) const;
    // Top of a row in the gutter's coordinates, as last painted.
    int RowTop(int row) const;
    // Distance between two rows before LineSpace: the height of one of the editor's lines.
    int Pitch() const { return FPitch; }

signals:
    // Raised after the gutter changed its own width (to 0 when both columns are switched off).
    void OnChangeSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row
    {
        int top = 0;      // before LineSpace
        int baseline = 0; // offset of the text's baseline below the top
        QString addStr;
    };

    void WalkRows();
    int CountCharacters(QStringView text);
    void UpdatePitch();
    void UpdateRowCount();
    static int RowStep(int pitch, int lineSpace);
    int RowY(int row) const;
    int NumberColumnWidth() const;
    int WantedWidth() const;
    void LayOut();
    void DrawColumns(QPainter& painter) const;

    // The gutter places its information column after the widest number, draws a bar of this width
    // between the columns and takes the width its columns need, always.
    static constexpr bool AutoAddStrLeft = true;
    static constexpr int BarWidth = 4;
    static constexpr bool AutoChangeSize = true;

    TRichEditEx* FEditor;
    CountOptions FCountOptions;
    int FTopLineNum = 1;
    QString FDefaultAddStr;
    int FAddStrLeft = 32;
    bool FShowBar = true;
    bool FShowLineNum = true;
    bool FShowAddStr = true;
    int FPitch = 0;
    QFont FPitchFont; // the editor's font that FPitch was measured at
    int FLineSpace = 0;
    bool FLayOutQueued = false;
    int FLinesComing = 0; // while FitWidth lays out: the lines of a text about to go in
    std::vector<Row> FRows;
    std::string FEncoded; // reused Shift-JIS form of the line being counted
};
