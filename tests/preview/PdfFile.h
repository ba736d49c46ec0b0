// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a test reads back from a PDF the preview wrote: its pages and their sizes in points.

#include "shell/TempFolder.h"

#include <QRegularExpression>
#include <QSizeF>
#include <QString>

#include <string>
#include <vector>

// Page objects of a PDF file, not the page tree's own /Pages.
inline int PdfPages(const std::string& path)
{
    const QString pdf = QString::fromLatin1(TempFolder::Read(path));
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The media box of every page, in points, as the file lists them.
inline std::vector<QSizeF> PdfPageSizes(const std::string& path)
{
    const QString pdf = QString::fromLatin1(TempFolder::Read(path));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
    std::vector<QSizeF> sizes;
    for (const QRegularExpressionMatch& match : box.globalMatch(pdf))
        sizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
    return sizes;
}
