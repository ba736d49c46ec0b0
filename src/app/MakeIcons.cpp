// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// kotonami-make-icons FOLDER ID: draws the window's own picture as the installed icons, an SVG
// in FOLDER/hicolor/scalable/apps/ID.svg and PNGs in FOLDER/hicolor/NxN/apps/ID.png, so that the
// applications menu shows what the title bar shows.

#include "app/FontSetup.h"
#include "app/GlyphPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

QString Number(qreal value)
{
    return QString::number(value, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

// The outline as SVG path data: moves, lines and cubic curves, exactly as the painter fills it.
QString PathData(const QPainterPath& path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QString point = Number(element.x) + u' ' + Number(element.y);
        if (element.isMoveTo())
            data += u'M' + point;
        else if (element.isLineTo())
            data += u'L' + point;
        else if (element.isCurveTo())
            data += u'C' + point;
        else
            data += u' ' + point; // the curve's second control point and its end
    }
    return data;
}

QByteArray Svg(const QFont& font)
{
    using namespace GlyphPicture;
    const QPainterPath outline = GlyphOutline(ProgramGlyph, font);
    const QString svg =
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
            "viewBox=\"0 0 %1 %1\">\n"
            "  <rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" rx=\"%6\" fill=\"none\" "
            "stroke=\"%7\" stroke-width=\"%8\"/>\n"
            "  <path fill=\"%7\" stroke=\"none\" fill-rule=\"%9\" d=\"%10\"/>\n"
            "</svg>\n")
            .arg(Side)
            .arg(Number(Frame.x()), Number(Frame.y()), Number(Frame.width()),
                 Number(Frame.height()), Number(FrameRadius), Ink.name(), Number(FrameWidth),
                 outline.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd")
                                                       : QStringLiteral("nonzero"))
            .arg(PathData(outline));
    return svg.toUtf8();
}

bool Save(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool SavePng(const QString& path, const QFont& font, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        GlyphPicture::Paint(painter, GlyphPicture::ProgramGlyph, font, side);
    }
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: kotonami-make-icons FOLDER ID\n", stderr);
        return 2;
    }
    SetupFonts();
    const QFont font(DesignFontName, DesignFontPointSize);
    const QString folder = QFile::decodeName(argv[1]) + QStringLiteral("/hicolor/");
    const QString id = QFile::decodeName(argv[2]);
    bool saved =
        Save(folder + QStringLiteral("scalable/apps/") + id + QStringLiteral(".svg"), Svg(font));
    for (const int side : {16, 32, 48, 64, 128, 256})
        saved = saved && SavePng(folder + QStringLiteral("%1x%1/apps/").arg(side) + id +
                                     QStringLiteral(".png"),
                                 font, side);
    if (!saved)
        std::fputs("kotonami-make-icons: the icons could not be written\n", stderr);
    return saved ? 0 : 1;
}
