// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's message boxes, and the hook through which a dialog's apply step reports: the
// window passes the real boxes, the tests collect the messages.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Shows one message to the writer.
using MessageSink = std::function<void(const QString& message)>;

namespace MessageBoxes {

// The application's error box: caption "Kotonami", stop icon, one OK button, and the message
// followed by a full stop.
void ShowError(QWidget* parent, const QString& message);

// A plain message: caption "Kotonami", no icon, one OK button.
void ShowMessage(QWidget* parent, const QString& message);

// What the writer needs to know to go on, nothing having failed: caption "Kotonami", the
// information icon, one OK button.
void ShowInformation(QWidget* parent, const QString& message);

// A notice with the exclamation icon and the given caption.
void ShowNotice(QWidget* parent, const QString& caption, const QString& message);

// One notice naming every file of `paths` that was not found; nothing when there is none.
void ShowMissingFiles(QWidget* parent, const QStringList& paths);

// Asks whether the history entry of a file that is gone goes too; true for Yes.
bool AskRemoveMissingEntry(QWidget* parent, const QString& path);

// Sinks showing the boxes above over `parent`.
MessageSink ErrorSink(QWidget* parent);
MessageSink NoticeSink(QWidget* parent, const QString& caption);

} // namespace MessageBoxes
