// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The keys and marks every editor has: undo and redo in the edit menu, the shown size of the
// text, the keys and the mouse of the tabs, and the mark of a tab whose text is modified.

#include "CommandGuard.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"
#include "controls/EditorDocument.h"
#include "controls/TRichEditEx.h"

#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace {

// A middle click on a tab closes it, as in a browser.
class MiddleClickClose : public QObject
{
public:
    MiddleClickClose(QTabBar* tabs, std::function<void(int)> close)
        : QObject(tabs), FTabs(tabs), FClose(std::move(close))
    {
        tabs->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int index = FTabs->tabAt(mouse->position().toPoint());
            if (mouse->button() == Qt::MiddleButton && index >= 0) {
                FClose(index);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTabBar* FTabs;
    std::function<void(int)> FClose;
};

// The modified mark: a dot in the colour of the selection, so the caption stays the file name.
QIcon ModifiedIcon(const QPalette& palette)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.color(QPalette::Highlight));
    painter.drawEllipse(QRectF(2, 2, 8, 8));
    return QIcon(pixmap);
}

} // namespace

// A command of the window reached by its keys wherever the focus is in the window.
QAction* TForm1::AddWindowAction(const char* name, const QString& text,
                                 const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    addAction(action);
    return action;
}

void TForm1::SetUpEditingKeys()
{
    FUndoItem = AddWindowAction("UndoItem", QStringLiteral(u"元に戻す(&U)"),
                                {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    FRedoItem = AddWindowAction(
        "RedoItem", QStringLiteral(u"やり直し(&R)"),
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(FUndoItem, &QAction::triggered, this, [this] { Editor()->Undo(); });
    connect(FRedoItem, &QAction::triggered, this, [this] { Editor()->Redo(); });
    ui->Edit1->insertActions(ui->Cut1, {FUndoItem, FRedoItem});
    ui->Edit1->insertSeparator(ui->Cut1);
    connect(this, &TForm1::FrontEditorChanged, this, &TForm1::ShowUndoState);
    ShowUndoState();

    const auto zoom = [this](const char* name, const QString& text, QList<QKeySequence> keys,
                             int step) {
        connect(AddWindowAction(name, text, keys), &QAction::triggered, this,
                [this, step] { ZoomBy(step); });
    };
    zoom("ZoomInItem", QStringLiteral(u"拡大"),
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus)},
         1);
    zoom("ZoomOutItem", QStringLiteral(u"縮小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1);
    zoom("ZoomResetItem", QStringLiteral(u"元の大きさ"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0);

    ui->Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // Closing the tab is otherwise only in the pop-up menu, whose keys work only while it shows.
    ui->DeleteTabItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    addAction(ui->DeleteTabItem);
    const auto step = [this](int by) {
        const int count = ui->TabControl1->count();
        if (count > 1)
            ui->TabControl1->setCurrentIndex((ui->TabControl1->currentIndex() + by + count) %
                                             count);
    };
    connect(AddWindowAction(
                "NextTabItem", QStringLiteral(u"次のタブ"),
                {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}),
            &QAction::triggered, this, [step] { step(1); });
    connect(AddWindowAction("PreviousTabItem", QStringLiteral(u"前のタブ"),
                            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                             QKeySequence(Qt::CTRL | Qt::Key_PageUp)}),
            &QAction::triggered, this, [step] { step(-1); });
    ui->TabControl1->setTabsClosable(true);
    // Closed by the mouse, the tab's editor took the focus with it; the writer goes on typing
    // in the one that comes to the front.
    const auto close = [this](int index) {
        RunCommand(this, [this, index] { CloseTab(index); });
        Editor()->setFocus();
    };
    connect(ui->TabControl1, &QTabBar::tabCloseRequested, this, close);
    new MiddleClickClose(ui->TabControl1, close);
}

// Each editor tells its undo state and its modified state; the menu follows the one in front, the
// tab's mark its own tab.
void TForm1::ConnectEditingKeys(TRichEditEx* editor)
{
    const auto undoState = [this, editor] {
        if (editor == Editor())
            ShowUndoState();
    };
    connect(editor->document(), &QTextDocument::undoAvailable, this, undoState);
    connect(editor->document(), &QTextDocument::redoAvailable, this, undoState);
    connect(editor->document(), &QTextDocument::modificationChanged, this, &TForm1::ShowTabMarks);
    connect(editor, &TRichEditEx::ZoomRequested, this, &TForm1::ZoomBy);
}

void TForm1::ShowUndoState()
{
    if (!FUndoItem)
        return;
    FUndoItem->setEnabled(Editor()->document()->isUndoAvailable());
    FRedoItem->setEnabled(Editor()->document()->isRedoAvailable());
}

void TForm1::ShowTabMarks()
{
    const QIcon mark = ModifiedIcon(palette());
    for (int i = 0; i < ui->TabControl1->count(); ++i) {
        const EditorDocument* text = FTabs ? FTabs->TextOf(i) : nullptr;
        ui->TabControl1->setTabIcon(i, text && text->isModified() ? mark : QIcon());
    }
}

// Step 0 is the font's own size. The editors behind take the size when they come to the front.
void TForm1::ZoomBy(int step)
{
    Editor()->SetZoom(step == 0 ? 0 : Editor()->Zoom() + step);
}
