// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"

#include "analysis/Cp932Codec.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <functional>
#include <iconv.h>
#include <langinfo.h>
#include <limits>
#include <map>
#include <string_view>

const char* const CliUsage =
    R"(kotonami-count [OPTION...] [FILE...]
Each FILE is loaded exactly as the editor opens a file (a Shift-JIS FILE is cut at the first NUL; lines split at CR, LF or CR LF;
every line followed by CR LF). No FILE, or "-": standard input, loaded the same way.
Analyses (default --stats; several may be given, run in the order given):
  --stats            the all-documents count report over all FILEs together; its size (サイズ) is the bytes
                     of the FILEs' text as the FILEs hold them (their own encoding and line breaks, up to
                     a NUL), as the editor's panel shows it
  --census           the character-type report over all FILEs together (nothing when no character is counted)
  --phrase TEXT      the phrase report of the total count over all FILEs (TEXT in the locale's encoding)
  --paper            the manuscript report of the formatted count, one per FILE
  --simple-paper     the manuscript report of the simple count, one per FILE
  --arrange          the arranged manuscript text, one per FILE
  --full-width       the full-width conversion, one per FILE
  --full-kana        the half-width-kana to full-width-kana conversion, one per FILE
  --check            the manuscript check, one line per finding: FILE:LINE:COLUMN: RULE: MESSAGE
                     (the message in the locale's encoding; exit status 1 when there is a finding)
  --column-unit display|character|byte   the COLUMN of --check, counted from 1 (default display: as a
                     terminal shows the line, a full-width character 2 columns, a TAB to the next multiple
                     of 8; character: every character 1; byte: the bytes of the line in the FILE's encoding)
  --chapters         the chapters, one per FILE: a line "レベル<TAB>行<TAB>文字数<TAB>枚数<TAB>見出し", then per
                     chapter its level (0 for the text before the first heading), its heading's line, its
                     characters, the sheets of its formatted count and its title
Settings (the program's own settings file is read when it exists; options override it):
  --settings PATH    read the counting switches, the paper settings, the word characters, the check
                     rules and the writer's own heading pattern from PATH
  --no-space --no-tab --no-double-byte-space    the counting switches off
  --exclude-ruby     ruby readings (《…》 with the ｜ of their base) and notes (［＃…］) are not counted;
                     the size stays the size of the FILE
  --no-digits        digits are not word characters
  --word-chars TEXT  the extra word characters (cleaned as the settings dialog cleans them)
  --column N  --line N  --tab use|delete|space
  --check-rules ID,ID...   the rules of --check (all other rules off): ellipsis-pair, dash-pair,
                     space-after-mark, period-before-close, paragraph-indent, bracket-balance,
                     repeated-punctuation, halfwidth-kana
Output:
  --raw              each text exactly as the program builds it (Shift-JIS bytes, CR LF), followed by CR LF; no headers
  default            UTF-8 with LF line breaks; with several FILEs, a "==> FILE <==" line before each per-file text
  --input-encoding auto|sjis|utf-8|utf-16|euc-jp   (default auto: a byte-order mark, else ASCII is Shift-JIS,
                     else valid UTF-8 is UTF-8, else Shift-JIS unless the text is EUC-JP only or clearly
                     likelier Japanese as EUC-JP; utf-16 without a
                     byte-order mark is little-endian) a FILE of another encoding is converted to Shift-JIS before
                     it is loaded; a character without a Shift-JIS form counts as one double-byte character (〓),
                     and how many there were is told on standard error
Writing log:
  --log [--days N] [FILE]   the days of the window's writing log, oldest first, one line per day:
                     YYYY-MM-DD<TAB>added<TAB>removed<TAB>net<TAB>minutes (characters added and removed by
                     the edits, their difference, minutes spent writing); of every document, or of FILE;
                     with --days, only the last N days (today included); nothing when there is no log
Other:
  --help             this text       --version          the version of Kotonami
Exit status: 0 success; 1 a FILE could not be read (a message naming it on standard error; the other FILEs are
still measured), the writing log could not be read, or --check found something; 2 a usage error (a message and the usage on standard error),
including a value that is not a positive integer, an unknown --tab word or rule id, or a TEXT with a character
that has no Shift-JIS form.
)";

namespace {

// A text typed on the command line, as the Shift-JIS bytes the engine works on.
std::string CommandLineText(const std::string& option, const std::string& text)
{
    std::setlocale(LC_CTYPE, "");
    auto bytes = LocaleTextToShiftJis(text, nl_langinfo(CODESET));
    if (!bytes)
        throw UsageError(option + ": the text has a character without a Shift-JIS form");
    return std::move(*bytes);
}

// `text` from the encoding `from` into `to` through iconv; nothing when it does not convert. The
// text itself when iconv knows no such pair.
std::optional<std::string> Reencode(const std::string& text, const char* to, const char* from)
{
    const iconv_t converter = ::iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string input = text;
    std::string output(text.size() * 4 + 4, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    const bool converted = result != static_cast<std::size_t>(-1);
    ::iconv_close(converter);
    if (!converted)
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

bool IsUtf8Locale(std::string_view codeset)
{
    return codeset.empty() || codeset == "UTF-8" || codeset == "ANSI_X3.4-1968" ||
           codeset == "US-ASCII";
}

// A text of the locale's encoding as UTF-8. UTF-8 is taken as it is, and so is a text under the
// plain ASCII locale, where scripts usually pass UTF-8 anyway; any other encoding is converted.
std::optional<std::string> LocaleTextToUtf8(const std::string& text, std::string_view codeset)
{
    if (IsUtf8Locale(codeset))
        return text;
    return Reencode(text, "UTF-8", std::string(codeset).c_str());
}

std::int32_t PositiveInteger(const std::string& option, const std::string& text)
{
    std::int32_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (!text.empty() && text.front() != '-' && error == std::errc::result_out_of_range &&
        stop == end)
        throw UsageError(option + ": '" + text + "' is too large (at most " +
                         std::to_string(std::numeric_limits<std::int32_t>::max()) + ")");
    if (text.empty() || text.front() == '-' || error != std::errc() || stop != end || value <= 0)
        throw UsageError(option + ": '" + text + "' is not a positive integer");
    return value;
}

ColumnUnit ColumnUnitWord(const std::string& text)
{
    if (text == "display")
        return ColumnUnit::Display;
    if (text == "character")
        return ColumnUnit::Character;
    if (text == "byte")
        return ColumnUnit::Byte;
    throw UsageError("--column-unit: unknown word '" + text + "' (display, character or byte)");
}

std::uint8_t TabWord(const std::string& text)
{
    if (text == "use")
        return UseTab;
    if (text == "delete")
        return DeleteTab;
    if (text == "space")
        return ChangeTabToSpace;
    throw UsageError("--tab: unknown word '" + text + "' (use, delete or space)");
}

std::optional<TextEncoding> InputEncodingWord(const std::string& text)
{
    if (text == "auto")
        return std::nullopt;
    if (text == "sjis")
        return TextEncoding::ShiftJis;
    if (text == "utf-8")
        return TextEncoding::Utf8;
    if (text == "utf-16")
        return TextEncoding::Utf16Le;
    if (text == "euc-jp")
        return TextEncoding::EucJp;
    throw UsageError("--input-encoding: unknown encoding '" + text +
                     "' (auto, sjis, utf-8, utf-16 or euc-jp)");
}

using Flag = std::function<void(CliOptions&)>;
using Valued = std::function<void(CliOptions&, const std::string&)>;

const std::map<std::string_view, Flag>& Flags()
{
    static const std::map<std::string_view, Flag> flags = {
        {"--help", [](CliOptions& o) { o.help = true; }},
        {"--version", [](CliOptions& o) { o.version = true; }},
        {"--stats",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Stats, {}});
         }},
        {"--census",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Census, {}});
         }},
        {"--paper",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Paper, {}});
         }},
        {"--simple-paper",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::SimplePaper, {}});
         }},
        {"--arrange",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Arrange, {}});
         }},
        {"--full-width",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::FullWidth, {}});
         }},
        {"--full-kana",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::FullKana, {}});
         }},
        {"--check",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Check, {}});
         }},
        {"--chapters",
         [](CliOptions& o) {
             o.analyses.push_back({Analysis::Chapters, {}});
         }},
        {"--no-space", [](CliOptions& o) { o.overrides.countSpace = false; }},
        {"--no-tab", [](CliOptions& o) { o.overrides.countTab = false; }},
        {"--no-double-byte-space", [](CliOptions& o) { o.overrides.countDoubleByteSpace = false; }},
        {"--exclude-ruby", [](CliOptions& o) { o.overrides.excludeRuby = true; }},
        {"--no-digits", [](CliOptions& o) { o.overrides.countDigits = false; }},
        {"--raw", [](CliOptions& o) { o.raw = true; }},
        {"--log", [](CliOptions& o) { o.log = true; }},
    };
    return flags;
}

const std::map<std::string_view, Valued>& ValuedOptions()
{
    static const std::map<std::string_view, Valued> options = {
        {"--phrase",
         [](CliOptions& o, const std::string& v) {
             o.analyses.push_back({Analysis::Phrase, CommandLineText("--phrase", v)});
         }},
        {"--settings", [](CliOptions& o, const std::string& v) { o.settingsPath = v; }},
        {"--word-chars",
         [](CliOptions& o, const std::string& v) {
             o.overrides.wordCharacters = CommandLineText("--word-chars", v);
         }},
        {"--column",
         [](CliOptions& o, const std::string& v) {
             o.overrides.column = PositiveInteger("--column", v);
         }},
        {"--line", [](CliOptions& o,
                      const std::string& v) { o.overrides.line = PositiveInteger("--line", v); }},
        {"--tab", [](CliOptions& o, const std::string& v) { o.overrides.tab = TabWord(v); }},
        {"--check-rules",
         [](CliOptions& o, const std::string& v) { o.overrides.checkRules = CheckRulesList(v); }},
        {"--input-encoding",
         [](CliOptions& o, const std::string& v) { o.inputEncoding = InputEncodingWord(v); }},
        {"--days",
         [](CliOptions& o, const std::string& v) { o.logDays = PositiveInteger("--days", v); }},
        {"--column-unit",
         [](CliOptions& o, const std::string& v) { o.columnUnit = ColumnUnitWord(v); }},
    };
    return options;
}

} // namespace

std::string Utf8ToLocaleText(const std::string& utf8, std::string_view codeset)
{
    if (IsUtf8Locale(codeset))
        return utf8;
    const std::string to = std::string(codeset) + "//TRANSLIT";
    return Reencode(utf8, to.c_str(), "UTF-8").value_or(utf8);
}

std::optional<std::string> LocaleTextToShiftJis(const std::string& text, std::string_view codeset)
{
    if (codeset == "SHIFT_JIS" || codeset == "SJIS" || codeset == "CP932" ||
        codeset == "WINDOWS-31J")
        return text;
    const auto utf8 = LocaleTextToUtf8(text, codeset);
    std::string bytes;
    if (!utf8 || !Cp932::IsValidUtf8(*utf8) || !Cp932::EncodeFromUtf8(*utf8, bytes))
        return std::nullopt;
    return bytes;
}

CheckSwitches CheckRulesList(const std::string& list)
{
    CheckSwitches switches;
    switches.on.fill(false);
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string id = list.substr(start, comma - start);
        const auto rule = RuleById(id);
        if (!rule)
            throw UsageError("--check-rules: unknown rule '" + id + "'");
        switches.Set(*rule, true);
        if (comma == list.size())
            return switches;
        start = comma + 1;
    }
}

CliOptions ParseCliOptions(const std::vector<std::string>& arguments)
{
    CliOptions options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument == "-" || !argument.starts_with("-")) {
            options.files.push_back(argument);
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (const auto flag = Flags().find(argument); flag != Flags().end()) {
            flag->second(options);
        } else if (const auto valued = ValuedOptions().find(argument);
                   valued != ValuedOptions().end()) {
            if (i + 1 >= arguments.size())
                throw UsageError(argument + ": a value is missing");
            valued->second(options, arguments[++i]);
        } else {
            throw UsageError("unknown option " + argument);
        }
    }
    if (options.log && !options.analyses.empty())
        throw UsageError("--log: no analysis can go with it");
    if (options.log && options.files.size() > 1)
        throw UsageError("--log: one FILE at most");
    if (options.logDays && !options.log)
        throw UsageError("--days: only with --log");
    if (options.analyses.empty() && !options.log)
        options.analyses.push_back({Analysis::Stats, {}});
    return options;
}
