#pragma once
// The tab strip over the editor and the documents behind its tabs. Each tab has its own text,
// with its own undo history, caret, selection and scroll position; the editor shows the text of
// the tab in front, and changing tabs only hands the editor another text.

#include "documents/Document.h"

#include <memory>
#include <string>
#include <vector>

class EditorDocument;
class QTabBar;
class TRichEditEx;

class DocumentTabs
{
public:
    DocumentTabs(QTabBar* tabs, TRichEditEx* editor);
    ~DocumentTabs();
    DocumentTabs(const DocumentTabs&) = delete;
    DocumentTabs& operator=(const DocumentTabs&) = delete;

    DocumentList& Documents() noexcept { return FDocuments; }
    EditorDocument* TextOf(int index) const;

    // Adds a tab at the end, without selecting it, with an empty document named `fileName`.
    Document* Append(const std::string& fileName);
    // Selects a tab by program: no tab events.
    void SelectQuietly(int index);
    // Keeps the caret, selection and scroll position of the tab shown with its text.
    void Keep(int index);
    // Hands the editor the tab's text, with the caret, selection and scroll position it had.
    void Show(int index);
    // Removes the tab and its document. The text is handed back, for the editor may still show it
    // until another tab is shown.
    std::unique_ptr<EditorDocument> Remove(int index);

private:
    struct Tab
    {
        std::unique_ptr<EditorDocument> text;
        int anchor = 0; // the caret and the selection's other end
        int position = 0;
        int vertical = 0;
        int horizontal = 0;
    };

    QTabBar* FTabs;
    TRichEditEx* FEditor;
    DocumentList FDocuments;
    std::vector<Tab> FTexts; // in tab order, beside FDocuments
};
