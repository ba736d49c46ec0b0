// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubmissionPage.h"

#include "DoubleByteConversion.h"

#include "analysis/Cp932Codec.h"
#include "analysis/SettingsStore.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <tuple>
#include <utility>

namespace {

constexpr std::string_view Section = "Submission";

struct PageSizeRow
{
    PageSize size;
    const char* name;
    double shortSide; // millimetres
    double longSide;
};

constexpr std::array<PageSizeRow, 4> PageSizes{{
    {PageSize::A4, "A4", 210, 297},
    {PageSize::B5, "B5", 182, 257},
    {PageSize::B4, "B4", 257, 364},
    {PageSize::A5, "A5", 148, 210},
}};

const PageSizeRow& RowOf(PageSize size) noexcept
{
    for (const PageSizeRow& row : PageSizes)
        if (row.size == size)
            return row;
    return PageSizes.front();
}

// A count read from the file, kept only within [low, high].
std::int32_t ReadWithin(SettingsStore& file, std::string_view key, std::int32_t current,
                        std::int32_t low, std::int32_t high)
{
    const std::int32_t value = file.ReadInteger(Section, key, current);
    return value >= low && value <= high ? value : current;
}

// A text's width in half-width units: a double-byte character is two.
std::int64_t Units(std::string_view text)
{
    std::int64_t units = 0;
    for (std::size_t p = 0; p < text.size();) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(text, p);
        units += ch.doubleByte ? 2 : 1;
        p += ch.length;
    }
    return units;
}

constexpr double PointsPerMillimetre = 72 / 25.4;
constexpr std::int32_t MostMargin = 1000; // millimetres
constexpr std::int32_t MostFontTenths = 2000;
constexpr std::int32_t TitleIndent = 3;    // cells before the title
const std::string_view Blank = "\x81\x40"; // the double-byte space

} // namespace

void ReadSubmissionSettings(SubmissionSettings& settings, SettingsStore& file)
{
    constexpr std::int32_t Most = 100000;
    settings.Column = ReadWithin(file, "Column", settings.Column, 1, Most);
    settings.Line = ReadWithin(file, "Line", settings.Line, 1, Most);
    if (const auto size = PageSizeNamed(file.ReadString(Section, "PageSize", "")))
        settings.Size = *size;
    settings.Turn = static_cast<PageTurn>(
        ReadWithin(file, "Orientation", static_cast<std::int32_t>(settings.Turn), 0, 2));
    settings.Vertical = file.ReadBool(Section, "Vertical", settings.Vertical);
    settings.FontTenths = ReadWithin(file, "FontSize", settings.FontTenths, 0, MostFontTenths);
    settings.MarginTop = ReadWithin(file, "MarginTop", settings.MarginTop, 0, MostMargin);
    settings.MarginBottom = ReadWithin(file, "MarginBottom", settings.MarginBottom, 0, MostMargin);
    settings.MarginSide = ReadWithin(file, "MarginSide", settings.MarginSide, 0, MostMargin);
    settings.PageNumbers = file.ReadBool(Section, "PageNumbers", settings.PageNumbers);
    settings.Title = static_cast<TitlePlace>(
        ReadWithin(file, "TitlePlace", static_cast<std::int32_t>(settings.Title), 0, 2));
    settings.TitleText = file.ReadString(Section, "Title", settings.TitleText);
    settings.Author = file.ReadString(Section, "Author", settings.Author);
}

void WriteSubmissionSettings(const SubmissionSettings& settings, SettingsStore& file)
{
    file.WriteInteger(Section, "Column", settings.Column);
    file.WriteInteger(Section, "Line", settings.Line);
    file.WriteString(Section, "PageSize", PageSizeName(settings.Size));
    file.WriteInteger(Section, "Orientation", static_cast<std::int32_t>(settings.Turn));
    file.WriteBool(Section, "Vertical", settings.Vertical);
    file.WriteInteger(Section, "FontSize", settings.FontTenths);
    file.WriteInteger(Section, "MarginTop", settings.MarginTop);
    file.WriteInteger(Section, "MarginBottom", settings.MarginBottom);
    file.WriteInteger(Section, "MarginSide", settings.MarginSide);
    file.WriteBool(Section, "PageNumbers", settings.PageNumbers);
    file.WriteInteger(Section, "TitlePlace", static_cast<std::int32_t>(settings.Title));
    file.WriteString(Section, "Title", settings.TitleText);
    file.WriteString(Section, "Author", settings.Author);
}

std::optional<PageSize> PageSizeNamed(std::string_view name)
{
    for (const PageSizeRow& row : PageSizes) {
        const std::string_view known = row.name;
        if (name.size() == known.size() &&
            std::equal(name.begin(), name.end(), known.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            }))
            return row.size;
    }
    return std::nullopt;
}

const char* PageSizeName(PageSize size) noexcept
{
    return RowOf(size).name;
}

namespace {

// The pitches and the font of the text area as it stands.
void FitCharacters(SubmissionGeometry& page, const SubmissionSettings& settings) noexcept
{
    const double along = settings.Vertical ? page.Bottom - page.Top : page.Right - page.Left;
    const double across = settings.Vertical ? page.Right - page.Left : page.Bottom - page.Top;
    page.Pitch = along / std::max(settings.Column, std::int32_t{1});
    page.LinePitch = across / std::max(settings.Line, std::int32_t{1});
    const double room = std::min(page.Pitch, page.LinePitch) * PointsPerMillimetre;
    page.FontPoints = settings.FontTenths > 0 ? std::min(room, settings.FontTenths / 10.0) : room;
}

// The end `edge` of an area from `start` that leaves `after` characters' sizes before `limit`,
// when a character is at most a `cells`-th of the area: as it is, or moved in so far that it does.
double GiveWay(double start, double edge, double limit, double after, double em, std::int32_t cells)
{
    if (limit - edge >= after * em)
        return edge;
    return start + (limit - start) / (1 + after / std::max(cells, std::int32_t{1}));
}

} // namespace

SubmissionGeometry GeometryOf(const SubmissionSettings& settings) noexcept
{
    const PageSizeRow& row = RowOf(settings.Size);
    SubmissionGeometry page;
    page.Landscape = settings.Turn == PageTurn::Automatic ? settings.Vertical
                                                          : settings.Turn == PageTurn::Landscape;
    page.Width = page.Landscape ? row.longSide : row.shortSide;
    page.Height = page.Landscape ? row.shortSide : row.longSide;
    const auto fit = [](double low, double high, double length) {
        return high - low >= length / 10 ? std::pair{low, high}
                                         : std::pair{length * 0.45, length * 0.55};
    };
    std::tie(page.Left, page.Right) =
        fit(settings.MarginSide, page.Width - settings.MarginSide, page.Width);
    std::tie(page.Top, page.Bottom) =
        fit(settings.MarginTop, page.Height - settings.MarginBottom, page.Height);
    FitCharacters(page, settings);
    // A hung character takes one size past the last cell; the page number's line twice its own.
    const double em = page.FontPoints / PointsPerMillimetre;
    const double number = settings.PageNumbers ? 2 * PageNumberSize : 0;
    if (settings.Vertical) {
        page.Bottom = GiveWay(page.Top, page.Bottom, page.Height, 1 + number, em, settings.Column);
    } else {
        page.Right = GiveWay(page.Left, page.Right, page.Width, 1, em, settings.Column);
        page.Bottom = GiveWay(page.Top, page.Bottom, page.Height, number, em, settings.Line);
    }
    FitCharacters(page, settings);
    const double foot =
        page.Bottom + (settings.Vertical ? page.FontPoints / PointsPerMillimetre : 0);
    page.NumberCentre = std::max((page.Bottom + page.Height) / 2,
                                 foot + PageNumberSize * page.FontPoints / PointsPerMillimetre);
    return page;
}

TPaper SubmissionPaper(const TPaper& sheets, const SubmissionSettings& settings)
{
    TPaper paper = sheets;
    paper.Column = std::max(settings.Column, std::int32_t{1});
    paper.Line = std::max(settings.Line, std::int32_t{1});
    return paper;
}

std::string SubmissionHeading(const TPaper& paper, std::string_view title, std::string_view author)
{
    std::string first;
    for (std::int32_t i = 0; i < std::min(TitleIndent, paper.Column / 4); ++i)
        first += Blank;
    first += title;
    // The name ends a cell before the end of its line when it fits there.
    const std::int64_t room = 2 * std::int64_t{std::max(paper.Column, std::int32_t{1})} - 2;
    std::string second;
    for (std::int64_t pad = room - Units(author); pad > 0; pad -= 2)
        second += pad >= 2 ? std::string(Blank) : std::string(" ");
    second += author;
    return paper.Arrange(first) + "\r\n" + paper.Arrange(second);
}

ManuscriptLayout SubmissionLayout(const TPaper& sheets, const SubmissionSettings& settings,
                                  std::string_view text, std::string_view title,
                                  std::string_view author)
{
    const TPaper paper = SubmissionPaper(sheets, settings);
    const std::string written = ConvertForSubmission(text);
    if (settings.Title != TitlePlace::FirstLines)
        return ManuscriptLayout(paper, written);
    std::string titleBytes, authorBytes;
    Cp932::EncodeFromUtf8ForCounting(title, titleBytes);
    Cp932::EncodeFromUtf8ForCounting(author, authorBytes);
    return ManuscriptLayout(paper, written,
                            SubmissionHeading(paper, ConvertForSubmission(titleBytes),
                                              ConvertForSubmission(authorBytes)));
}
