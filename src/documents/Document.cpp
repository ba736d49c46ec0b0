#include "Document.h"

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
    UsefulFunc::WriteFileAtomically(FileName, GetText());
    SetModified(false);
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

void Document::LoadFromFile(const std::string& path)
{
    // Joining the lines with CR LF and storing that text again gives these very lines, and the
    // text ends with a line feed exactly when there is a line; so the second split is skipped.
    // The text ends at its first NUL, so reading stops there: a device without end is read no
    // further.
    Lines = SplitLines(UsefulFunc::ReadTextBytes(path));
    EndsWithNewline = !Lines.empty();
    Modified = false;
    FileName = path;
}

Document* DocumentList::Add()
{
    FDocuments.push_back(std::make_unique<Document>());
    return FDocuments.back().get();
}

Document* DocumentList::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FDocuments[static_cast<std::size_t>(index)].get();
}

void DocumentList::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    FDocuments.erase(FDocuments.begin() + index);
    FCursor = -1;
}

int DocumentList::IndexOfFile(const std::string& path) const
{
    for (int i = 0; i < Count(); ++i)
        if (UsefulFunc::IsSameFile(FDocuments[static_cast<std::size_t>(i)]->FileName, path))
            return i;
    return -1;
}

Document* DocumentList::First()
{
    FCursor = Count() > 0 ? 0 : -1;
    return Item(FCursor);
}

Document* DocumentList::Next()
{
    if (FCursor < 0)
        return nullptr;
    ++FCursor;
    if (FCursor >= Count())
        FCursor = -1;
    return Item(FCursor);
}

void DocumentList::Clear()
{
    FDocuments.clear();
    FCursor = -1;
}
