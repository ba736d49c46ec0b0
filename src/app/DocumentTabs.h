// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tabs of the window: one list of tabs, each a document with the editor that holds its text,
// in the order of the tab strip. Each editor keeps its tab's text with its own undo history,
// caret, selection, scroll position and laid-out lines; bringing a tab to the front only shows
// its editor, so changing tabs costs the same for a short story and for a long novel.
//
// The tab in front is the one whose editor is shown; it is never stored beside the list, so
// nothing can fall out of step with it. Whatever follows the shown text connects to FrontChanged.

#include "documents/Document.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class EditorDocument;
class QStackedWidget;
class QTabBar;
class QWidget;
class TRichEditEx;

class DocumentTabs : public QObject
{
    Q_OBJECT

public:
    // `first` is the window's editor; it takes the place of the editors, and the first tab gets
    // it. `editorMade` is told of every editor, that one included, before its tab shows it.
    DocumentTabs(QTabBar* tabs, TRichEditEx* first, std::function<void(TRichEditEx*)> editorMade);
    ~DocumentTabs() override;
    DocumentTabs(const DocumentTabs&) = delete;
    DocumentTabs& operator=(const DocumentTabs&) = delete;

    int Count() const noexcept { return static_cast<int>(FDocuments.size()); }
    // The tab's document, editor and text; null for an index out of range.
    Document* Item(int index) const;
    TRichEditEx* EditorOf(int index) const;
    EditorDocument* TextOf(int index) const;
    // The tab whose document's file is the file at `path` (UsefulFunc::IsSameFile), or -1.
    int IndexOfFile(const std::string& path) const;

    // The editor in front: the one the writer sees and types into.
    TRichEditEx* Front() const;
    // The tab whose editor is in front; -1 while none is (a tab just closed, none shown yet).
    int FrontIndex() const;
    Document* FrontDocument() const { return Item(FrontIndex()); }
    // Takes the keyboard focus for the editor in front, whichever it is.
    QWidget* FocusTarget() const;

    // Adds a tab at the end, without selecting it, with an empty document named `fileName`.
    Document* Append(const std::string& fileName);
    // Selects a tab in the strip by program: no tab events, and the front editor stays.
    void SelectQuietly(int index);
    // Brings the tab's editor to the front, with the editor settings the writer chose meanwhile.
    // FrontChanged follows when another editor came to the front.
    void Show(int index);
    // Removes the tab and its document. Its editor goes once control is back in the event loop,
    // after another tab has been shown.
    void Remove(int index);

signals:
    void FrontChanged(TRichEditEx* editor);

private:
    struct Tab
    {
        std::unique_ptr<Document> document; // reads its text from the editor's
        TRichEditEx* editor = nullptr;      // a child of FStack
    };

    TRichEditEx* MakeEditor();

    QTabBar* FTabs;
    QStackedWidget* FStack;
    TRichEditEx* FUnused; // the window's editor until the first tab takes it
    std::function<void(TRichEditEx*)> FEditorMade;
    QPointer<TRichEditEx> FFront; // what the writer last saw: the settings to follow
    std::vector<Tab> FDocuments;  // in tab order
};
