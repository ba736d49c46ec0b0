// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPaper.h"

#include "analysis/ReportFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The report lines, in Shift-JIS.
constexpr std::string_view Title =
    "----- \x8C\xB4\x8D\x65\x97\x70\x8E\x86\x8F\xEE\x95\xF1 -----\r\n"; // 原稿用紙情報
constexpr std::string_view SheetsLabel =
    "\r\n\x8C\xB4\x8D\x65\x97\x70\x8E\x86\x82\xCC\x96\x87\x90\x94 : "; // 原稿用紙の枚数
constexpr std::string_view TotalLinesLabel = "\r\n\x91\x8D\x8D\x73\x90\x94 : "; // 総行数
constexpr std::string_view LastPageLinesLabel =
    "\r\n\x8D\xC5\x8F\x49\x83\x79\x81\x5B\x83\x57\x82\xCC\x8D\x73\x90\x94 : "; // 最終ページの行数

constexpr int RatioDecimals = 5;

// The ratio with exact rounding when the count left its two integers; a hand-made PaperInfo with
// only the floating-point figure is written from that figure in millionths.
std::string SheetRatioText(const PaperInfo& info)
{
    if (info.RatioDenominator != 0)
        return FormatRatio(info.RatioNumerator, info.RatioDenominator, RatioDecimals);
    constexpr double Largest = 9.0e12; // keeps the millionths inside 64 bits
    return FormatRatio(std::llround(std::min(info.SheetRatio, Largest) * 1e6), 1000000,
                       RatioDecimals);
}

} // namespace

std::string MakePaperReport(const PaperInfo& info)
{
    std::string report(Title);
    report += SheetsLabel;
    report += std::to_string(info.Sheets);
    if (info.SheetRatio >= 0) {
        report += " ( ";
        report += SheetRatioText(info);
        report += " )";
    }
    report += TotalLinesLabel;
    report += std::to_string(info.TotalLines);
    report += LastPageLinesLabel;
    report += std::to_string(info.LastPageLines);
    report += "\r\n";
    return report;
}
