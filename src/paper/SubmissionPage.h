// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The submission manuscript (応募原稿): the text on plain pages of a set number of characters per
// line and lines per page, as prizes and publishers ask for it, without the grid. Its lines and
// pages are the manuscript sheets' own (ManuscriptLayout under the same Column and Line); this is
// where the page, its margins and the size of the characters are worked out.

#include "ManuscriptLayout.h"
#include "TPaper.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SettingsStore;

enum class PageSize : std::uint8_t
{
    A4,
    B5, // the Japanese B sizes, as paper is sold in Japan
    B4,
    A5
};

enum class PageTurn : std::uint8_t
{
    Automatic, // landscape for vertical writing, portrait for horizontal
    Portrait,
    Landscape
};

enum class TitlePlace : std::uint8_t
{
    None,
    TitlePage,  // a first page of its own with the title and the author's name
    FirstLines, // the title and the name on the first two lines of the first text page
};

struct SubmissionSettings
{
    std::int32_t Column = 40; // characters per line
    std::int32_t Line = 30;   // lines per page
    PageSize Size = PageSize::A4;
    PageTurn Turn = PageTurn::Automatic;
    bool Vertical = true;
    std::int32_t FontTenths = 0; // the characters' size in tenths of a point; 0 fills the area
    std::int32_t MarginTop = 30; // millimetres; top and bottom of the page as it is read
    std::int32_t MarginBottom = 30;
    std::int32_t MarginSide = 25; // left and right
    bool PageNumbers = true;      // "- 3 -" centred at the foot
    TitlePlace Title = TitlePlace::None;
    std::string TitleText{}; // UTF-8; empty: the document's name
    std::string Author{};    // UTF-8
};

// Section "Submission" of the settings file. Values out of range keep the current ones.
void ReadSubmissionSettings(SubmissionSettings& settings, SettingsStore& file);
void WriteSubmissionSettings(const SubmissionSettings& settings, SettingsStore& file);

// "A4", "B5", "B4", "A5" (any case); nothing for another name.
std::optional<PageSize> PageSizeNamed(std::string_view name);
const char* PageSizeName(PageSize size) noexcept;

// A page laid out in millimetres, the origin at its top left corner as it is read.
struct SubmissionGeometry
{
    double Width = 0; // the page, turned as it is printed
    double Height = 0;
    bool Landscape = false;
    double Left = 0, Top = 0, Right = 0, Bottom = 0; // the text area
    double Pitch = 0;                                // from one character to the next along a line
    double LinePitch = 0;                            // from one line to the next
    double FontPoints = 0;                           // the characters' size
    double NumberCentre = 0; // the middle of the page number's line, from the page's top
};

// The page number's size, of the characters'.
inline constexpr double PageNumberSize = 0.9;

// The page of the settings: the text area inside the margins, Column characters filling a line
// and Line lines filling the area across. The font size is the one asked for, no larger than
// a character's and a line's room; 0 asks for exactly that room. Margins too wide for the page
// leave a text area of a tenth of it. Beyond the end of the lines there is room for a character
// hung at a line's end (its size), and below the area for the page number: where the margins
// are narrower, the area gives way.
SubmissionGeometry GeometryOf(const SubmissionSettings& settings) noexcept;

// The paper of the submission: the sheets' line-start rules and tabs, its Column and Line.
TPaper SubmissionPaper(const TPaper& sheets, const SubmissionSettings& settings);

// The title and the author's name as the first two lines of the text (Shift-JIS, CR LF): the
// title a few cells in, the name ending a cell before the end of its line; either may wrap.
std::string SubmissionHeading(const TPaper& paper, std::string_view title, std::string_view author);

// The submission of `text` (Shift-JIS, as read): written as ConvertForSubmission writes it (one
// character a cell, a number of one or two digits sharing one) and laid out under
// SubmissionPaper, with the title and the author's name (UTF-8) on its first two lines when the
// settings place them there. Its pages are the sheet count of the text so written.
ManuscriptLayout SubmissionLayout(const TPaper& sheets, const SubmissionSettings& settings,
                                  std::string_view text, std::string_view title,
                                  std::string_view author);
