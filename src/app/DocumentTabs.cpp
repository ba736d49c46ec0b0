// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentTabs.h"

#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"
#include "shell/UsefulFunc.h"

#include <QApplication>
#include <QLayout>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>

DocumentTabs::DocumentTabs(QTabBar* tabs, TRichEditEx* first,
                           std::function<void(TRichEditEx*)> editorMade)
    : FTabs(tabs), FStack(new QStackedWidget(first->parentWidget())), FUnused(first),
      FEditorMade(std::move(editorMade))
{
    FStack->setObjectName(QStringLiteral("Editors"));
    if (QLayout* layout = first->parentWidget()->layout())
        delete layout->replaceWidget(first, FStack);
    FStack->addWidget(first);
    FFront = first;
}

// The editors go before the documents that read from their texts, and quietly: the window that
// listens to them is going.
DocumentTabs::~DocumentTabs()
{
    for (Tab& tab : FDocuments) {
        tab.editor->blockSignals(true);
        delete tab.editor;
    }
}

Document* DocumentTabs::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FDocuments[static_cast<std::size_t>(index)].document.get();
}

TRichEditEx* DocumentTabs::EditorOf(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FDocuments[static_cast<std::size_t>(index)].editor;
}

EditorDocument* DocumentTabs::TextOf(int index) const
{
    const TRichEditEx* editor = EditorOf(index);
    return editor ? editor->Text() : nullptr;
}

int DocumentTabs::IndexOfFile(const std::string& path) const
{
    for (int i = 0; i < Count(); ++i)
        if (UsefulFunc::IsSameFile(Item(i)->FileName, path))
            return i;
    return -1;
}

TRichEditEx* DocumentTabs::Front() const
{
    return static_cast<TRichEditEx*>(FStack->currentWidget());
}

int DocumentTabs::FrontIndex() const
{
    const TRichEditEx* front = Front();
    for (int i = 0; i < Count(); ++i)
        if (FDocuments[static_cast<std::size_t>(i)].editor == front)
            return i;
    return -1;
}

QWidget* DocumentTabs::FocusTarget() const
{
    return FStack;
}

// A new editor starts as the one in front is: font, colours, wrapping, gutter and keys.
TRichEditEx* DocumentTabs::MakeEditor()
{
    TRichEditEx* editor = FUnused;
    FUnused = nullptr;
    if (!editor) {
        editor = new TRichEditEx(FStack);
        editor->setObjectName(FStack->widget(0)->objectName());
        if (FFront)
            editor->FollowSettingsOf(*FFront);
        FStack->addWidget(editor);
    }
    FEditorMade(editor);
    return editor;
}

Document* DocumentTabs::Append(const std::string& fileName)
{
    {
        const QSignalBlocker blocker(FTabs);
        FTabs->addTab(QString::fromStdString(TabCaption(fileName)));
    }
    Tab tab;
    tab.editor = MakeEditor();
    tab.document = std::make_unique<Document>();
    tab.document->FileName = fileName;
    tab.document->ShowIn(tab.editor->Text());
    FDocuments.push_back(std::move(tab));
    return FDocuments.back().document.get();
}

void DocumentTabs::SelectQuietly(int index)
{
    const QSignalBlocker blocker(FTabs);
    FTabs->setCurrentIndex(index);
}

// The editor's own signals stay quiet while it comes to the front: the window refreshes what
// depends on the text once, when the tab is in front.
void DocumentTabs::Show(int index)
{
    TRichEditEx* editor = EditorOf(index);
    if (!editor)
        return;
    {
        const QSignalBlocker blocker(editor);
        if (FFront && FFront != editor)
            editor->FollowSettingsOf(*FFront);
    }
    const bool changed = Front() != editor;
    const bool hadFocus = FStack->isAncestorOf(QApplication::focusWidget());
    FStack->setCurrentWidget(editor);
    FStack->setFocusProxy(editor);
    if (hadFocus)
        editor->setFocus();
    FFront = editor;
    if (changed)
        emit FrontChanged(editor);
}

void DocumentTabs::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    {
        const QSignalBlocker blocker(FTabs);
        FTabs->removeTab(index);
    }
    const auto tab = FDocuments.begin() + index;
    TRichEditEx* editor = tab->editor;
    FDocuments.erase(tab);
    // Still the settings to follow, and perhaps still in front, until another tab is shown.
    editor->blockSignals(true);
    editor->deleteLater();
}
