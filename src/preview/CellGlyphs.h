// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The characters of a page of cells, drawn in one face: each centred in the box its placement is
// given, turned or moved as vertical writing wants, a run of ASCII hyphens in vertical writing and
// a run of ― in either writing as one stroke along the line (― also as an unseen glyph, so that
// a PDF's text gives it back). The manuscript sheets and the submission pages share it.

#include "paper/ManuscriptLayout.h"

#include <QRawFont>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class GlyphList;

class CellGlyphs
{
public:
    explicit CellGlyphs(QString family) : FFamily(std::move(family)) {}

    // Draws every placement at `pixels` to the em, in the box `box` gives it (painter units).
    void Draw(QPainter& painter, const std::vector<CellPlacement>& places, bool vertical,
              int pixels, const std::function<QRectF(const CellPlacement&)>& box) const;

private:
    void PlaceGlyph(QPainter& painter, char16_t ch, bool vertical, QPointF centre,
                    GlyphList& upright, GlyphList& turned) const;

    QString FFamily;
    mutable QRawFont FRawFont; // the face at the size last drawn
};
