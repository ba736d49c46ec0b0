#pragma once
// The tab strip over the editors and the documents behind its tabs. Each tab has an editor of its
// own, holding the tab's text with its own undo history, caret, selection, scroll position and
// laid-out lines; bringing a tab to the front only shows its editor, so changing tabs costs the
// same for a short story and for a long novel.

#include "documents/Document.h"

#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class EditorDocument;
class QStackedWidget;
class QTabBar;
class QWidget;
class TRichEditEx;

class DocumentTabs
{
public:
    // `first` is the window's editor; it takes the place of the editors, and the first tab gets
    // it. `editorMade` is told of every editor, that one included, before its tab shows it.
    DocumentTabs(QTabBar* tabs, TRichEditEx* first, std::function<void(TRichEditEx*)> editorMade);
    ~DocumentTabs();
    DocumentTabs(const DocumentTabs&) = delete;
    DocumentTabs& operator=(const DocumentTabs&) = delete;

    DocumentList& Documents() noexcept { return FDocuments; }
    EditorDocument* TextOf(int index) const;
    TRichEditEx* EditorOf(int index) const;
    // The editor in front: the one the writer sees and types into.
    TRichEditEx* Front() const;
    // Takes the keyboard focus for the editor in front, whichever it is.
    QWidget* FocusTarget() const;

    // Adds a tab at the end, without selecting it, with an empty document named `fileName`.
    Document* Append(const std::string& fileName);
    // Selects a tab by program: no tab events.
    void SelectQuietly(int index);
    // Brings the tab's editor to the front, with the editor settings the writer chose meanwhile.
    void Show(int index);
    // Removes the tab and its document. Its editor goes once control is back in the event loop,
    // after another tab has been shown.
    void Remove(int index);

private:
    TRichEditEx* MakeEditor();

    QTabBar* FTabs;
    QStackedWidget* FStack;
    TRichEditEx* FUnused; // the window's editor until the first tab takes it
    std::function<void(TRichEditEx*)> FEditorMade;
    QPointer<TRichEditEx> FFront; // what the writer last saw: the settings to follow
    DocumentList FDocuments;
    std::vector<TRichEditEx*> FEditors; // in tab order, beside FDocuments; each holds its text
};
