// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TDropRichEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

TDropRichEdit::TDropRichEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setAcceptDrops(true);
}

const char* TDropRichEdit::GetDropFileName(unsigned index) const noexcept
{
    return index < FDropFileNames.size() ? FDropFileNames[index].c_str() : nullptr;
}

void TDropRichEdit::ChangeWordWrap(bool value)
{
    setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setAcceptDrops(FDropAccept);
}

void TDropRichEdit::SetDropAccept(bool value)
{
    FDropAccept = value;
    setAcceptDrops(value);
}

// A drop of files: a uri-list naming at least one local file.
bool TDropRichEdit::IsFileDrop(const QMimeData* data) const
{
    if (!data || !data->hasUrls())
        return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return true;
    return false;
}

// Text dragged inside the editor itself moves as usual.
bool TDropRichEdit::IsOwnDrag(const QDropEvent* event) const
{
    const QObject* source = event->source();
    return source == this || source == viewport();
}

void TDropRichEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (IsFileDrop(event->mimeData()))
        event->acceptProposedAction();
    else if (IsOwnDrag(event))
        QPlainTextEdit::dragEnterEvent(event);
    else
        event->ignore();
}

void TDropRichEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (IsFileDrop(event->mimeData()))
        event->acceptProposedAction();
    else if (IsOwnDrag(event))
        QPlainTextEdit::dragMoveEvent(event);
    else
        event->ignore();
}

void TDropRichEdit::dropEvent(QDropEvent* event)
{
    if (IsOwnDrag(event) && !IsFileDrop(event->mimeData())) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    if (!IsFileDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            names.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    FDropFileNames = std::move(names);
    emit DropFiles();
}

bool TDropRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void TDropRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        textCursor().insertText(source->text());
}
