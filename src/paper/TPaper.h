#pragma once
// A writer's manuscript paper (原稿用紙): cells per line, lines per sheet, the line-start rules and
// the treatment of tabs; arranges text into manuscript lines and counts sheets.

#include <cstdint>
#include <string>
#include <string_view>

class TCustomIniFile;

enum TabMode : std::uint8_t
{
    UseTab = 0,          // the tab stays and takes one half-width unit
    DeleteTab = 1,       // the tab is dropped
    ChangeTabToSpace = 2 // the tab becomes a double-byte space (any other value acts the same)
};

struct PaperInfo
{
    std::int32_t Sheets = 0;
    std::int32_t TotalLines = 0;
    std::int32_t LastPageLines = 0;
    double SheetRatio = -1.0; // -1.0 when the count does not compute it
    // The exact ratio behind SheetRatio, for writing it with exact rounding (0 / 0 when absent).
    std::int64_t RatioNumerator = 0;
    std::int64_t RatioDenominator = 0;
};

class TPaper
{
public:
    TPaper();

    std::int32_t Column = 20;
    std::int32_t Line = 20;
    std::string NoFirstChar;    // characters that must not begin a line
    std::string ForceFirstChar; // characters before which a source line break survives
    std::uint8_t Tab = DeleteTab;

    static bool ContainsChar(std::string_view set, std::string_view ch) noexcept;
    bool IsNoFirstChar(std::string_view ch) const noexcept;
    bool IsForceFirstChar(std::string_view ch) const noexcept;

    std::string Arrange(std::string_view text) const;
    PaperInfo Count(std::string_view text) const;
    PaperInfo SimpleCount(std::int32_t weightedCharacters) const noexcept;

    // Section "Paper" of the settings file.
    void ReadSettings(TCustomIniFile& file);
    void WriteSettings(TCustomIniFile& file) const;
};

// The manuscript report shown in the result dialog (Shift-JIS, CR LF).
std::string MakePaperReport(const PaperInfo& info);
