// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Finding, replacing and going to a line: the find bar below the editor and the commands of the
// edit menu that open it.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/FindBar.h"
#include "app/WritingLogKeeper.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"

#include <QBoxLayout>
#include <QInputDialog>
#include <QTextBlock>

#include <algorithm>

// The bar stands below the editors, in the tab page; it follows whichever editor is in front.
void TForm1::SetUpFindBar()
{
    FFindBar = new FindBar(ui->TabPage);
    connect(FFindBar, &FindBar::ReplacingAll, FWritingLog, &WritingLogKeeper::ExpectEdit);
    if (auto* layout = qobject_cast<QBoxLayout*>(ui->TabPage->layout())) {
        layout->setDirection(QBoxLayout::TopToBottom);
        layout->addWidget(FFindBar);
    }
    FFindBar->SetEditor(Editor());
    connect(this, &TForm1::FrontEditorChanged, FFindBar, &FindBar::SetEditor);
    connect(this, &TForm1::FrontTextChanged, FFindBar, &FindBar::TextChanged);

    QAction* find = AddWindowAction("FindItem", QStringLiteral(u"検索(&F)..."),
                                    {QKeySequence(Qt::CTRL | Qt::Key_F)});
    QAction* replace = AddWindowAction("ReplaceItem", QStringLiteral(u"置換(&R)..."),
                                       {QKeySequence(Qt::CTRL | Qt::Key_H)});
    QAction* replaceAll = AddWindowAction("ReplaceAllItem", QStringLiteral(u"すべて置換(&E)"),
                                          {FindBar::ReplaceAllKey()});
    QAction* next = AddWindowAction("FindNextItem", QStringLiteral(u"次を検索(&N)"),
                                    {QKeySequence(Qt::Key_F3)});
    QAction* previous = AddWindowAction("FindPreviousItem", QStringLiteral(u"前を検索(&V)"),
                                        {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    QAction* goToLine = AddWindowAction("GoToLineItem", QStringLiteral(u"指定行へ移動(&G)..."),
                                        {QKeySequence(Qt::CTRL | Qt::Key_G)});
    connect(find, &QAction::triggered, FFindBar, &FindBar::OpenFind);
    connect(replace, &QAction::triggered, FFindBar, &FindBar::OpenReplace);
    connect(replaceAll, &QAction::triggered, FFindBar, &FindBar::ReplaceAllItemClick);
    connect(next, &QAction::triggered, FFindBar, &FindBar::FindNext);
    connect(previous, &QAction::triggered, FFindBar, &FindBar::FindPrevious);
    ConnectCommand(goToLine, &QAction::triggered, this, &TForm1::GoToLineItemClick);
    ui->Edit1->addSeparator();
    ui->Edit1->addActions({find, replace, replaceAll, next, previous, goToLine});
}

// The number asked for is the one the gutter shows: a logical line, or a display line when
// lines are counted as displayed. The lines offered are those the panel counts (the empty line
// after a final break is none of them). The line comes to the middle of the text area.
void TForm1::GoToLineItemClick()
{
    TRichEditEx* editor = Editor();
    const bool displayLines = ui->AppearanceLineItem->isChecked();
    // A document's lines are an editor's blocks, which an int holds.
    const int lines = static_cast<int>(std::max<std::int64_t>(
        1, displayLines
               ? editor->GetLineCount()
               : editor->Text()->Statistics(CurrentCountOptions(), FWordCharacters).lines));
    const int current = std::min(lines, displayLines ? editor->GetCaretLineColumn().second
                                                     : editor->textCursor().blockNumber() + 1);
    bool accepted = false;
    const int line = QInputDialog::getInt(this, QStringLiteral(u"指定行へ移動"),
                                          QStringLiteral(u"行番号 (1 - %1):").arg(lines), current,
                                          1, lines, 1, &accepted);
    if (!accepted)
        return;
    QTextCursor cursor = editor->textCursor();
    if (displayLines) {
        const QTextBlock block = editor->document()->findBlockByLineNumber(line - 1);
        const QTextLine shown = block.layout()->lineAt(line - 1 - block.firstLineNumber());
        cursor.setPosition(block.position() + (shown.isValid() ? shown.textStart() : 0));
    } else {
        cursor.setPosition(editor->document()->findBlockByNumber(line - 1).position());
    }
    editor->setTextCursor(cursor);
    editor->centerCursor();
    editor->setFocus();
}
