// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorFocus.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Watches the application for windows of the main window closing: message boxes, file and font
// dialogs, the program's own dialogs. Pop-up menus and completion lists give the focus back by
// themselves and are left alone.
class EditorFocusKeeper : public QObject
{
public:
    EditorFocusKeeper(QWidget& window, QWidget& editor)
        : QObject(&window), FWindow(window), FEditor(editor)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType() &&
            IsOwnedDialog(*static_cast<QWidget*>(watched)))
            FEditor.setFocus(Qt::ActiveWindowFocusReason);
        return QObject::eventFilter(watched, event);
    }

private:
    bool IsOwnedDialog(const QWidget& widget) const
    {
        if (!widget.isWindow() || &widget == &FWindow || widget.parentWidget() == nullptr)
            return false;
        const Qt::WindowType type = widget.windowType();
        return type != Qt::Popup && type != Qt::ToolTip &&
               widget.parentWidget()->window() == &FWindow;
    }

    QWidget& FWindow;
    QWidget& FEditor;
};

} // namespace

void KeepEditorFocused(QWidget& window, QWidget& editor)
{
    editor.setFocus(Qt::OtherFocusReason);
    new EditorFocusKeeper(window, editor);
}
