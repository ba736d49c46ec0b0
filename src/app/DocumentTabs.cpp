#include "DocumentTabs.h"

#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"

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
    for (TRichEditEx* editor : FEditors) {
        editor->blockSignals(true);
        delete editor;
    }
}

EditorDocument* DocumentTabs::TextOf(int index) const
{
    const TRichEditEx* editor = EditorOf(index);
    return editor ? editor->Text() : nullptr;
}

TRichEditEx* DocumentTabs::EditorOf(int index) const
{
    if (index < 0 || index >= static_cast<int>(FEditors.size()))
        return nullptr;
    return FEditors[static_cast<std::size_t>(index)];
}

TRichEditEx* DocumentTabs::Front() const
{
    return static_cast<TRichEditEx*>(FStack->currentWidget());
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
    TRichEditEx* editor = MakeEditor();
    Document* document = FDocuments.Add();
    document->FileName = fileName;
    document->ShowIn(editor->Text());
    FEditors.push_back(editor);
    return document;
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
    if (index < 0 || index >= static_cast<int>(FEditors.size()))
        return;
    TRichEditEx* editor = FEditors[static_cast<std::size_t>(index)];
    {
        const QSignalBlocker blocker(editor);
        if (FFront && FFront != editor)
            editor->FollowSettingsOf(*FFront);
    }
    const bool hadFocus = FStack->isAncestorOf(QApplication::focusWidget());
    FStack->setCurrentWidget(editor);
    FStack->setFocusProxy(editor);
    if (hadFocus)
        editor->setFocus();
    FFront = editor;
}

void DocumentTabs::Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(FEditors.size()))
        return;
    {
        const QSignalBlocker blocker(FTabs);
        FTabs->removeTab(index);
    }
    FDocuments.Remove(index);
    TRichEditEx* editor = FEditors[static_cast<std::size_t>(index)];
    FEditors.erase(FEditors.begin() + index);
    // Still the settings to follow, and perhaps still in front, until another tab is shown.
    editor->blockSignals(true);
    editor->deleteLater();
}
