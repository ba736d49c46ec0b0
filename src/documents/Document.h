// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open text. Knows nothing of the window.

#include "documents/TextEncoding.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a document shown in a tab: the editor's text, which the document asks for rather
// than keeping a copy of its own that must be kept in step.
class DocumentText
{
public:
    virtual ~DocumentText() = default;
    // Shift-JIS, CR LF between lines. `complete` (when given) tells whether every character had a
    // Shift-JIS form; those without one come out as "?".
    virtual std::string Text(bool* complete = nullptr) const = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool value) = 0;
};

// The file whose first NUL ended the text that a document shows, and the NUL's offset in it: the
// file holds more than the document.
struct NulCut
{
    std::string file;
    std::size_t at = 0;
};

class Document
{
public:
    // Without a DocumentText: the text split into lines, without line-break bytes. A document
    // that is shown hands its lines to its DocumentText and keeps none.
    bool EndsWithNewline = false;
    std::vector<std::string> Lines;
    bool Modified = false;
    std::string FileName; // full path; empty for a text never saved
    // The encoding of the file, kept for saving; for encodings other than Shift-JIS also the line
    // break the file used and whether it ended with one.
    TextEncoding Encoding = TextEncoding::ShiftJis;
    LineBreak FileLineBreak = LineBreak::CrLf;
    bool FileEndsWithBreak = true;
    // Set when the file read held a NUL before its end.
    std::optional<NulCut> CutAtNul;

    // Splits at CR, LF or CR LF; a NUL ends the text.
    void SetText(std::string_view text);
    // Every line followed by CR LF; the final break is dropped when the stored text had none.
    std::string GetText(bool* complete = nullptr) const;
    // Writes GetText() to FileName (SaveTextFile) and clears the modified flag; throws EFile.
    void WriteToFile();

    // From now on the text, its lines and the modified flag are those of `text` (not owned); the
    // lines held so far are dropped.
    void ShowIn(DocumentText* text);
    bool IsModified() const { return FText ? FText->Modified() : Modified; }
    void SetModified(bool value);

    // Writing the text to FileName now would cut the file read at its NUL (it is that file).
    bool SaveCutsAtNul() const;
    // Told after the text was written to FileName: a file cut so holds the text alone.
    void Saved();

private:
    DocumentText* FText = nullptr;
};

// The line rule: a line ends at CR, LF or CR LF; a break at the very end opens no further line;
// bytes from the first NUL on are dropped.
std::vector<std::string> SplitLines(std::string_view text);

// The text of a file as the editor shows it after opening: each line followed by CR LF.
std::string JoinLinesWithCrLf(const std::vector<std::string>& lines);

// The tab caption of a document: "新規" (UTF-8) for a new one, else the file-name part of its path.
std::string TabCaption(const std::string& fileName);
