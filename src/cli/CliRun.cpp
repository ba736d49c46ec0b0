// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "FindingColumns.h"

#include "analysis/AllDocuments.h"
#include "analysis/CharacterCensus.h"
#include "analysis/CountSettings.h"
#include "analysis/Cp932Codec.h"
#include "analysis/PhraseCount.h"
#include "analysis/TextAsRead.h"
#include "documents/Document.h"
#include "documents/FileReading.h"
#include "documents/TextEncoding.h"
#include "paper/ChapterTable.h"
#include "paper/DoubleByteConversion.h"
#include "shell/Exceptions.h"
#include "shell/TIniFile.h"
#include "shell/UsefulFunc.h"

#include <algorithm>
#include <clocale>
#include <langinfo.h>
#include <new>
#include <string_view>

namespace {

void ReadSettingsFile(const std::string& path, CliSettings& settings)
{
    TIniFile file(path);
    settings.counting = ReadCountOptions(file);
    settings.counting.lineMode = LineMode::Logical; // a file has no screen lines
    settings.paper.ReadSettings(file);
    ReadWordSettings(settings.words, file);
    ReadCheckSwitches(settings.check, file);
    settings.invalidHeadingPattern = !ReadHeadingSettings(settings.headings, file);
}

void ApplyOverrides(const SettingOverrides& overrides, CliSettings& settings)
{
    CountOptions& counting = settings.counting;
    counting.countSpace = overrides.countSpace.value_or(counting.countSpace);
    counting.countTab = overrides.countTab.value_or(counting.countTab);
    counting.countDoubleByteSpace =
        overrides.countDoubleByteSpace.value_or(counting.countDoubleByteSpace);
    counting.excludeRuby = overrides.excludeRuby.value_or(counting.excludeRuby);
    settings.words.countDigits = overrides.countDigits.value_or(settings.words.countDigits);
    if (overrides.wordCharacters)
        settings.words.SetCharacterList(*overrides.wordCharacters);
    settings.paper.Column = overrides.column.value_or(settings.paper.Column);
    settings.paper.Line = overrides.line.value_or(settings.paper.Line);
    settings.paper.Tab = overrides.tab.value_or(settings.paper.Tab);
    settings.check = overrides.checkRules.value_or(settings.check);
}

void Notify(std::FILE* errors, const std::string& name, const std::string& utf8Message)
{
    std::setlocale(LC_CTYPE, "");
    const std::string text = Utf8ToLocaleText("kotonami-count: " + name + ": " + utf8Message + "\n",
                                              nl_langinfo(CODESET));
    std::fwrite(text.data(), 1, text.size(), errors);
}

// The FILE in the Shift-JIS form the counts work on, with its notices on standard error.
LoadedText LoadText(const std::string& name, std::optional<TextEncoding> encoding,
                    std::FILE* errors, const FileReader::Opened& opened)
{
    // Reading stops at the first NUL, where the text ends: /dev/zero is an empty text.
    FileReader::Read read = ReadTextBytes(name, encoding, true, opened);
    const auto size = static_cast<std::int64_t>(read.bytes.size());
    CountingText text = ReadForCounting(TextBytes(std::move(read.bytes)), encoding);
    for (const std::string& notice : ReadingNotices(text))
        Notify(errors, name, notice);
    return {name, std::move(text.shiftJis), text.encoding, size};
}

// Writes one text: the Shift-JIS bytes and CR LF, or UTF-8 with LF breaks.
class TextWriter
{
public:
    TextWriter(std::FILE* out, bool raw) : FOut(out), FRaw(raw) {}

    void Header(const std::string& name)
    {
        if (!FRaw)
            Put("==> " + name + " <==\n");
    }
    void Text(std::string_view shiftJis)
    {
        if (FRaw) {
            Put(std::string(shiftJis) + "\r\n");
            return;
        }
        std::string utf8 = Cp932::DecodeToUtf8(shiftJis, Cp932::LineBreaks::Convert);
        utf8 += '\n';
        Put(utf8);
    }

private:
    void Put(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), FOut); }

    std::FILE* FOut;
    bool FRaw;
};

// Writes one line per finding, as compilers do, so that an editor or a CI log can jump to it.
// Returns the number of findings.
std::size_t WriteFindings(const LoadedText& loaded, const CliSettings& settings, ColumnUnit unit,
                          std::FILE* out)
{
    std::setlocale(LC_CTYPE, "");
    const std::string_view codeset = nl_langinfo(CODESET);
    const std::string_view text = loaded.text.View();
    const std::vector<CheckFinding> findings = CheckText(text, settings.check, settings.headings);
    // The findings come by line: each line is found once, from the one before.
    std::size_t lineNumber = 1;
    std::size_t lineStart = 0;
    for (const CheckFinding& f : findings) {
        for (; lineNumber < f.line; ++lineNumber)
            lineStart = text.find("\r\n", lineStart) + 2;
        const std::size_t lineEnd = std::min(text.find("\r\n", lineStart), text.size());
        const std::uint32_t column = FindingColumn(text.substr(lineStart, lineEnd - lineStart),
                                                   f.column, unit, loaded.encoding);
        const CheckRuleInfo& rule = RuleInfo(f.rule);
        const std::string line = loaded.name + ":" + std::to_string(f.line) + ":" +
                                 std::to_string(column) + ": " + std::string(rule.id) + ": " +
                                 std::string(rule.message) + "\n";
        const std::string text = Utf8ToLocaleText(line, codeset);
        std::fwrite(text.data(), 1, text.size(), out);
    }
    return findings.size();
}

bool IsPerFile(Analysis kind) noexcept
{
    return kind != Analysis::Stats && kind != Analysis::Census && kind != Analysis::Phrase;
}

std::string PerFileText(Analysis kind, const CliSettings& settings, std::string_view text)
{
    const TPaper& paper = settings.paper;
    const bool asRead = settings.counting.excludeRuby;
    switch (kind) {
    case Analysis::Paper:
        return MakePaperReport(paper.Count(ReadingText(text, asRead)));
    case Analysis::SimplePaper:
        return MakePaperReport(paper.SimpleCount(CountText(text, settings.counting, 2).characters));
    case Analysis::Arrange:
        return paper.Arrange(ReadingText(text, asRead));
    case Analysis::FullWidth:
        return ConvertToDoubleBytes(text);
    case Analysis::FullKana:
        return ConvertKanaToDoubleBytes(text);
    case Analysis::Chapters:
        return MakeChapterTable(CountChapters(text, settings.headings, settings.counting, paper));
    default:
        return {};
    }
}

// The analyses over all texts together; nothing when the analysis has no report for them.
std::optional<std::string> TotalText(const AnalysisRequest& request, const CliSettings& settings,
                                     std::span<const std::string_view> texts,
                                     std::span<const std::int64_t> sizes)
{
    switch (request.kind) {
    case Analysis::Stats:
        return MakeAllDocumentsReport(
            SumStatistics(texts, sizes, settings.counting, settings.words));
    case Analysis::Census:
        return MakeCharacterTypeReport(SumCensus(texts, settings.counting));
    case Analysis::Phrase: {
        std::vector<std::string> asRead;
        std::vector<std::string_view> read(texts.begin(), texts.end());
        if (settings.counting.excludeRuby) {
            for (const std::string_view text : texts)
                asRead.push_back(TextAsRead(text));
            read.assign(asRead.begin(), asRead.end());
        }
        return MakePhraseReport(SumPhraseCounts(read, request.phrase), request.phrase);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

CliSettings LoadCliSettings(const CliOptions& options)
{
    CliSettings settings;
    const std::string path = options.settingsPath.value_or(SettingsFileName());
    const bool readable = UsefulFunc::IsFileReadable(path);
    if (options.settingsPath && !readable)
        throw UsageError("--settings: cannot read " + path);
    if (readable)
        ReadSettingsFile(path, settings);
    ApplyOverrides(options.overrides, settings);
    return settings;
}

std::vector<LoadedText> LoadTexts(const CliOptions& options, std::FILE* errors, bool& failed,
                                  const FileReader::Opened& opened)
{
    const std::vector<std::string> names =
        options.files.empty() ? std::vector<std::string>{"-"} : options.files;
    std::vector<LoadedText> texts;
    failed = false;
    for (const std::string& name : names) {
        try {
            texts.push_back(LoadText(name, options.inputEncoding, errors, opened));
        } catch (const EFileChanged&) {
            Notify(errors, name, EFileChanged::Reason);
            failed = true;
        } catch (const Exception& e) {
            std::fprintf(errors, "kotonami-count: %s\n", e.what());
            failed = true;
        } catch (const std::bad_alloc&) {
            Notify(errors, name, "メモリに収まらないため読めません");
            failed = true;
        }
    }
    return texts;
}

bool RunAnalyses(const CliOptions& options, const CliSettings& settings,
                 const std::vector<LoadedText>& texts, std::FILE* out)
{
    bool found = false;
    std::vector<std::string_view> views;
    std::vector<std::int64_t> sizes;
    for (const LoadedText& loaded : texts) {
        views.emplace_back(loaded.text.View());
        sizes.push_back(loaded.size);
    }
    TextWriter writer(out, options.raw);
    const bool headers = options.files.size() > 1;
    for (const AnalysisRequest& request : options.analyses) {
        if (!IsPerFile(request.kind)) {
            if (const auto text = TotalText(request, settings, views, sizes))
                writer.Text(*text);
            continue;
        }
        if (request.kind == Analysis::Check) {
            for (const LoadedText& loaded : texts)
                found = WriteFindings(loaded, settings, options.columnUnit, out) > 0 || found;
            continue;
        }
        for (const LoadedText& loaded : texts) {
            if (headers)
                writer.Header(loaded.name);
            writer.Text(PerFileText(request.kind, settings, loaded.text.View()));
        }
    }
    return found;
}

int CountFiles(const CliOptions& options, const CliSettings& settings, std::FILE* out,
               std::FILE* errors, const FileReader::Opened& opened)
{
    bool failed = false;
    try {
        const std::vector<LoadedText> texts = LoadTexts(options, errors, failed, opened);
        const bool found = RunAnalyses(options, settings, texts, out);
        if (settings.headings.ExtraPatternGaveUp())
            std::fputs("kotonami-count: the heading pattern of the settings file took too long on "
                       "some lines; they were taken for no heading\n",
                       errors);
        return failed || found ? 1 : 0;
    } catch (const std::bad_alloc&) {
        std::fputs("kotonami-count: メモリが足りません\n", errors);
        return 1;
    }
}
