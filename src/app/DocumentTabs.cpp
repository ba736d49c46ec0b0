#include "DocumentTabs.h"

#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>

DocumentTabs::DocumentTabs(QTabBar* tabs, TRichEditEx* editor) : FTabs(tabs), FEditor(editor) {}

// The editor outlives the tabs: it is left a text of its own rather than one about to go.
DocumentTabs::~DocumentTabs()
{
    const QSignalBlocker blocker(FEditor); // the window is going: nothing to refresh
    for (const Tab& tab : FTexts)
        if (FEditor->Text() == tab.text.get())
            FEditor->ShowText(new EditorDocument(FEditor));
}

EditorDocument* DocumentTabs::TextOf(int index) const
{
    if (index < 0 || index >= static_cast<int>(FTexts.size()))
        return nullptr;
    return FTexts[static_cast<std::size_t>(index)].text.get();
}

Document* DocumentTabs::Append(const std::string& fileName)
{
    {
        const QSignalBlocker blocker(FTabs);
        FTabs->addTab(QString::fromStdString(TabCaption(fileName)));
    }
    Tab tab;
    tab.text = std::make_unique<EditorDocument>();
    tab.text->setDefaultFont(FEditor->font());
    Document* document = FDocuments.Add();
    document->FileName = fileName;
    document->ShowIn(tab.text.get());
    FTexts.push_back(std::move(tab));
    return document;
}

void DocumentTabs::SelectQuietly(int index)
{
    const QSignalBlocker blocker(FTabs);
    FTabs->setCurrentIndex(index);
}

void DocumentTabs::Keep(int index)
{
    if (index < 0 || index >= static_cast<int>(FTexts.size()))
        return;
    Tab& tab = FTexts[static_cast<std::size_t>(index)];
    if (FEditor->Text() != tab.text.get())
        return;
    tab.anchor = FEditor->textCursor().anchor();
    tab.position = FEditor->textCursor().position();
    tab.vertical = FEditor->verticalScrollBar()->value();
    tab.horizontal = FEditor->horizontalScrollBar()->value();
}

// The editor's own signals stay quiet while the text changes hands: the window refreshes what
// depends on the text once, when the tab is in front.
void DocumentTabs::Show(int index)
{
    if (index < 0 || index >= static_cast<int>(FTexts.size()))
        return;
    Tab& tab = FTexts[static_cast<std::size_t>(index)];
    // A text laid out in another font would be laid out again at the next paint anyway.
    if (tab.text->defaultFont() != FEditor->font())
        tab.text->setDefaultFont(FEditor->font());
    const QSignalBlocker blocker(FEditor);
    // Handing the editor a text lays out every line of it again, so a text shown stays.
    if (FEditor->Text() != tab.text.get())
        FEditor->ShowText(tab.text.get());
    // Only the tab in front is edited, so what was kept still fits the text.
    const int end = tab.text->characterCount() - 1;
    QTextCursor cursor(tab.text.get());
    cursor.setPosition(std::min(tab.anchor, end));
    cursor.setPosition(std::min(tab.position, end), QTextCursor::KeepAnchor);
    FEditor->setTextCursor(cursor);
    FEditor->verticalScrollBar()->setValue(tab.vertical);
    FEditor->horizontalScrollBar()->setValue(tab.horizontal);
}

std::unique_ptr<EditorDocument> DocumentTabs::Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(FTexts.size()))
        return nullptr;
    {
        const QSignalBlocker blocker(FTabs);
        FTabs->removeTab(index);
    }
    FDocuments.Remove(index);
    std::unique_ptr<EditorDocument> text = std::move(FTexts[static_cast<std::size_t>(index)].text);
    FTexts.erase(FTexts.begin() + index);
    return text;
}
