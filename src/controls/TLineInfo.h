#pragma once
// The line-information gutter beside the editor: for every display line visible in the editor its
// number and, in navy, a short information text (the window puts the line's character count
// there). It draws into an off-screen buffer, sizes its own width to its contents and announces
// width changes with OnChangeSize, on which the window narrows or widens the editor.
//
// Rows follow the editor's own layout: row i sits on the editor's (first visible + i)-th display
// line; rows below the last line of the text continue at the editor's line pitch. LineSpace adds
// twentieths of a pixel per row on top of that.

#include "analysis/TextStatistics.h"

#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

class QPainter;

class TLineInfo : public QWidget
{
    Q_OBJECT

public:
    explicit TLineInfo(QWidget* parent = nullptr);

    // The editor whose display lines the rows follow and count; null detaches.
    void SetEditor(QPlainTextEdit* editor);
    QPlainTextEdit* Editor() const { return FEditor; }
    // The counting switches used for the information column.
    void SetCountOptions(const CountOptions& options) { FCountOptions = options; }
    const CountOptions& GetCountOptions() const { return FCountOptions; }

    int TopLineNum() const { return FTopLineNum; }
    void SetTopLineNum(int value);
    const QString& DefaultAddStr() const { return FDefaultAddStr; }
    void SetDefaultAddStr(const QString& value) { FDefaultAddStr = value; }
    int AddStrLeft() const { return FAddStrLeft; }
    void SetAddStrLeft(int value) { FAddStrLeft = value; }
    bool AutoAddStrLeft() const { return FAutoAddStrLeft; }
    void SetAutoAddStrLeft(bool value);
    bool ShowLineNum() const { return FShowLineNum; }
    void SetShowLineNum(bool value);
    bool ShowAddStr() const { return FShowAddStr; }
    void SetShowAddStr(bool value);
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int value);
    int LineSpace() const { return FLineSpace; }
    // Refuses (returns false, the old spacing stays) a value that would make the row step 0 or
    // less at the current pitch. The row count is recounted by the next SetSize.
    bool SetLineSpace(int value);
    bool AutoChangeSize() const { return FAutoChangeSize; }
    void SetAutoChangeSize(bool value) { FAutoChangeSize = value; }

    int RowCount() const { return FRowCount; }
    // Information text of a row (0 … RowCount − 1); out-of-range rows are ignored / empty.
    QString AddStr(int row) const;
    void SetAddStr(int row, const QString& text);
    // Top of a row in the gutter's coordinates, as last painted.
    int RowTop(int row) const;
    // Distance between two rows before LineSpace: the height of one of the editor's lines.
    int Pitch() const { return FPitch; }

    // Sets the width, then the height; recounts the rows and resets their texts.
    void SetSize(int width, int height);
    // Where the editor's first text line starts below the editor's top edge: the window puts the
    // gutter's top there so that the rows meet the lines without an offset.
    int EditorTextTop() const;

    // Fills the rows from the editor's visible display lines and paints.
    void Refresh();
    // Fills the rows from a document's stored Shift-JIS lines, starting at the editor's first
    // visible line, and paints.
    void Refresh(const std::vector<std::string>& lines);
    // Lays out (line-number column, own width) and redraws the buffer.
    void Paint();

signals:
    // Raised after the gutter changed its own width (and when it is switched off).
    void OnChangeSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowPlace
    {
        int top = 0;      // before LineSpace
        int baseline = 0; // offset of the text's baseline below the top
    };

    int FirstVisibleLine() const;
    void FillRowsFromEditor();
    void FillRowsFromLines(const std::vector<std::string>& lines);
    int CountCharacters(QStringView text);
    int CountCharacters(const std::string& shiftJis) const;
    void UpdatePitch();
    void UpdateRowCount();
    void ResetAddStrs();
    void UpdateRowPlaces();
    qreal ViewportToGutter(qreal firstLineTop) const;
    static int RowStep(int pitch, int lineSpace);
    int RowY(int row) const;
    bool LayOut();
    void Render();
    void DrawColumns(QPainter& painter) const;

    QPointer<QPlainTextEdit> FEditor;
    CountOptions FCountOptions;
    int FTopLineNum = 1;
    int FRowCount = 0;
    QStringList FAddStrs;
    QString FDefaultAddStr;
    int FAddStrLeft = 32;
    bool FShowBar = true;
    bool FAutoAddStrLeft = true;
    bool FShowLineNum = true;
    bool FShowAddStr = true;
    int FBarWidth = 4;
    int FPitch = 1;
    int FLineSpace = 0;
    bool FAutoChangeSize = true;
    QPixmap FBuffer;
    std::vector<RowPlace> FRowPlaces;
    std::string FEncoded; // reused Shift-JIS form of the line being counted
};
