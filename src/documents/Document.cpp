// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Document.h"

#include "documents/FileSaving.h"
#include "shell/TextLines.h"
#include "shell/UsefulFunc.h"

#include <cstring>

namespace {

constexpr char LF = '\n';

} // namespace

std::vector<std::string> SplitLines(std::string_view text)
{
    return TextLines::Split(BeforeNul(text));
}

std::string JoinLinesWithCrLf(const std::vector<std::string>& lines)
{
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string text;
    text.reserve(total);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string TabCaption(const std::string& fileName)
{
    return fileName.empty() ? std::string("新規") : UsefulFunc::FileNamePart(fileName);
}

void Document::SetText(std::string_view text)
{
    text = BeforeNul(text);
    EndsWithNewline = !text.empty() && text.back() == LF;
    Lines = SplitLines(text);
}

std::string Document::GetText(bool* complete) const
{
    if (FText)
        return FText->Text(complete);
    if (complete)
        *complete = true;
    std::string text = JoinLinesWithCrLf(Lines);
    if (!EndsWithNewline && text.size() > 1 && text.back() == LF)
        text.resize(text.size() - 2);
    return text;
}

void Document::WriteToFile()
{
    SaveTextFile(FileName, GetText());
    Saved();
    SetModified(false);
}

bool Document::SaveCutsAtNul() const
{
    return CutAtNul && UsefulFunc::IsSameFile(CutAtNul->file, FileName);
}

void Document::Saved()
{
    if (SaveCutsAtNul())
        CutAtNul.reset();
}

void Document::ShowIn(DocumentText* text)
{
    FText = text;
    std::vector<std::string>().swap(Lines);
}

void Document::SetModified(bool value)
{
    Modified = value;
    if (FText)
        FText->SetModified(value);
}
