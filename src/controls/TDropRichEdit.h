// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain-text editor that takes files dropped from the desktop: the local paths of the last drop
// are kept in FDropFileNames and DropFiles() is raised; the window opens them. Pasted or dropped
// text comes in as text only, never with formatting.

#include <QPlainTextEdit>

#include <string>
#include <vector>

class TDropRichEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDropRichEdit(QWidget* parent = nullptr);

    unsigned GetDropFileCount() const noexcept
    {
        return static_cast<unsigned>(FDropFileNames.size());
    }
    // The local path of dropped file `index` (as the file system spells it), or nullptr.
    const char* GetDropFileName(unsigned index) const noexcept;

    // Switches wrapping at the right edge; drops stay accepted either way.
    virtual void ChangeWordWrap(bool value);

    bool DropAccept() const noexcept { return FDropAccept; }
    void SetDropAccept(bool value);

signals:
    void DropFiles();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool IsFileDrop(const QMimeData* data) const;
    bool IsOwnDrag(const QDropEvent* event) const;

    std::vector<std::string> FDropFileNames;
    bool FDropAccept = true;
};
