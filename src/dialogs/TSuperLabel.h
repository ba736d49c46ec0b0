// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that paints its caption itself: in a font of its own weight, height and width, turned
// to one of four directions, placed by its alignments and margins, with an optional shadow and a
// colour ramp behind it.

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

class TSuperLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int FontWeight READ FontWeight WRITE setFontWeight)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)
    Q_PROPERTY(int FontWidth READ FontWidth WRITE setFontWidth)
    Q_PROPERTY(HAlignment HorizontalAlignment READ HorizontalAlignment WRITE setHorizontalAlignment)
    Q_PROPERTY(VAlignment VerticalAlignment READ VerticalAlignment WRITE setVerticalAlignment)
    Q_PROPERTY(DGradation DirGradation READ DirGradation WRITE setDirGradation)
    Q_PROPERTY(QColor LeftTopColor READ LeftTopColor WRITE setLeftTopColor)
    Q_PROPERTY(QColor RightBottomColor READ RightBottomColor WRITE setRightBottomColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(FontAngle Angle READ Angle WRITE setAngle)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int LeftRightMargin READ LeftRightMargin WRITE setLeftRightMargin)
    Q_PROPERTY(int TopBottomMargin READ TopBottomMargin WRITE setTopBottomMargin)
    Q_PROPERTY(bool Shadow READ Shadow WRITE setShadow)
    Q_PROPERTY(int ShadowLeave READ ShadowLeave WRITE setShadowLeave)
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE setShadowColor)

public:
    enum HAlignment
    {
        taHCenter,
        taLeftJustify,
        taRightJustify
    };
    enum VAlignment
    {
        taVCenter,
        taTopJustify,
        taBottomJustify
    };
    enum DGradation
    {
        taNoGradation,
        taHorizontalGradation,
        taVerticalGradation
    };
    enum FontAngle
    {
        faLeftToRight,
        faRightToLeft,
        faTopToBottom,
        faBottomToTop
    };
    Q_ENUM(HAlignment)
    Q_ENUM(VAlignment)
    Q_ENUM(DGradation)
    Q_ENUM(FontAngle)

    explicit TSuperLabel(QWidget* parent = nullptr);

    // Weights run from 0 to 1000; a value outside is brought to the nearer end.
    int FontWeight() const noexcept { return FFontWeight; }
    void setFontWeight(int value);
    // The cell height of the caption's font in pixels.
    int FontHeight() const noexcept { return FFontHeight; }
    void setFontHeight(int value);
    // The average character width in pixels; 0 leaves the font its own proportions.
    int FontWidth() const noexcept { return FFontWidth; }
    void setFontWidth(int value);
    HAlignment HorizontalAlignment() const noexcept { return FHorizontalAlignment; }
    void setHorizontalAlignment(HAlignment value);
    VAlignment VerticalAlignment() const noexcept { return FVerticalAlignment; }
    void setVerticalAlignment(VAlignment value);
    DGradation DirGradation() const noexcept { return FDirGradation; }
    void setDirGradation(DGradation value);
    QColor LeftTopColor() const { return FLeftTopColor; }
    void setLeftTopColor(const QColor& value);
    QColor RightBottomColor() const { return FRightBottomColor; }
    void setRightBottomColor(const QColor& value);
    QString Caption() const { return FCaption; }
    void setCaption(const QString& value);
    FontAngle Angle() const noexcept { return FAngle; }
    void setAngle(FontAngle value);
    // The caption's colour; the face and the italic, underline and strike-out come from font().
    QColor FontColor() const { return FFontColor; }
    void setFontColor(const QColor& value);
    int LeftRightMargin() const noexcept { return FLeftRightMargin; }
    void setLeftRightMargin(int value);
    int TopBottomMargin() const noexcept { return FTopBottomMargin; }
    void setTopBottomMargin(int value);
    bool Shadow() const noexcept { return FShadow; }
    void setShadow(bool value);
    int ShadowLeave() const noexcept { return FShadowLeave; }
    void setShadowLeave(int value);
    QColor ShadowColor() const { return FShadowColor; }
    void setShadowColor(const QColor& value);

    // The top-left corner of the caption's cell before it is turned, for a control of `size`, a
    // caption `textWidth` wide and the font height `fontHeight`.
    static QPoint TextOrigin(FontAngle angle, HAlignment horizontal, VAlignment vertical,
                             QSize size, int textWidth, int fontHeight, int leftRightMargin,
                             int topBottomMargin);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintRamp(QPainter& painter);
    QFont CaptionFont() const;
    template <class T> void Set(T& field, const T& value);

    int FFontWeight = 400;
    int FFontHeight = 12;
    int FFontWidth = 0;
    HAlignment FHorizontalAlignment = taHCenter;
    VAlignment FVerticalAlignment = taVCenter;
    DGradation FDirGradation = taNoGradation;
    QColor FLeftTopColor = Qt::black;
    QColor FRightBottomColor = Qt::black;
    QString FCaption = QStringLiteral("SuperLabel");
    FontAngle FAngle = faLeftToRight;
    QColor FFontColor = Qt::black;
    int FLeftRightMargin = 0;
    int FTopBottomMargin = 0;
    bool FShadow = false;
    int FShadowLeave = 2;
    QColor FShadowColor = Qt::black;
};
