// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogSetup.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>

namespace {

class FileDialogWatcher : public QObject
{
public:
    explicit FileDialogWatcher(QFileDialog& dialog) : QObject(&dialog), FDialog(dialog)
    {
        dialog.installEventFilter(this);
        connect(&dialog, &QDialog::finished, this, &FileDialogWatcher::HideCompletion);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the dialog's own handling of its showing, which puts the caret after the name.
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, this, &FileDialogWatcher::SelectName);
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* NameField() const
    {
        return FDialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    }

    // The type column shows the desktop's English type names: the name's suffix says as much.
    void SelectName()
    {
        if (QLineEdit* name = NameField())
            name->selectAll();
        if (auto* details = FDialog.findChild<QTreeView*>(QStringLiteral("treeView")))
            details->setColumnHidden(2, true);
    }

    // The completion list is a window of its own and outlives the dialog's closing otherwise.
    void HideCompletion()
    {
        if (QLineEdit* name = NameField())
            if (QCompleter* completer = name->completer())
                completer->popup()->hide();
    }

    QFileDialog& FDialog;
};

} // namespace

void SetUpFileDialog(QFileDialog& dialog)
{
    new FileDialogWatcher(dialog);
}
