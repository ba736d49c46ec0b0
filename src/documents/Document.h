#pragma once
// One open text and the list of them in tab order. Knows nothing of the window.

#include "documents/TextEncoding.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Document
{
public:
    bool EndsWithNewline = false;
    std::vector<std::string> Lines; // the text split into lines, without line-break bytes
    bool Modified = false;
    std::string FileName; // full path; empty for a text never saved
    // The encoding of the file, kept for saving; for encodings other than Shift-JIS also the line
    // break the file used and whether it ended with one.
    TextEncoding Encoding = TextEncoding::ShiftJis;
    LineBreak FileLineBreak = LineBreak::CrLf;
    bool FileEndsWithBreak = true;

    // Splits at CR, LF or CR LF; a NUL ends the text.
    void SetText(std::string_view text);
    // Every line followed by CR LF; the final break is dropped when the stored text had none.
    std::string GetText() const;
    // Writes GetText() to FileName atomically and clears Modified; throws EFile.
    void WriteToFile();
    // Reads a file as the editor opens it: Lines by the line rule, every line ending in CR LF;
    // FileName := path, Modified cleared. Throws Exception("ﾌｧｲﾙ %s は開けません").
    void LoadFromFile(const std::string& path);
};

// The line rule: a line ends at CR, LF or CR LF; a break at the very end opens no further line;
// bytes from the first NUL on are dropped.
std::vector<std::string> SplitLines(std::string_view text);

// The text of a file as the editor shows it after opening: each line followed by CR LF.
std::string JoinLinesWithCrLf(const std::vector<std::string>& lines);

// The tab caption of a document: "新規" (UTF-8) for a new one, else the file-name part of its path.
std::string TabCaption(const std::string& fileName);

class DocumentList
{
public:
    Document* Add();
    Document* Item(int index) const;
    void Remove(int index);
    Document* First();
    Document* Next();
    void Clear();
    int Count() const noexcept { return static_cast<int>(FDocuments.size()); }

private:
    std::vector<std::unique_ptr<Document>> FDocuments;
    int FCursor = -1;
};
