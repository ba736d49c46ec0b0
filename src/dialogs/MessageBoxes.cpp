// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QMessageBox>
#include <QPointer>

namespace MessageBoxes {
namespace {

// The program's messages break lines with CR LF; the boxes show LF.
QString ForDisplay(const QString& message)
{
    return QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void ShowError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QStringLiteral("Kotonami"), ForDisplay(message + u'.'));
}

void ShowMessage(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kotonami"), ForDisplay(message),
                    QMessageBox::Ok, parent);
    box.exec();
}

void ShowInformation(QWidget* parent, const QString& message)
{
    QMessageBox::information(parent, QStringLiteral("Kotonami"), ForDisplay(message));
}

void ShowNotice(QWidget* parent, const QString& caption, const QString& message)
{
    QMessageBox::warning(parent, caption, ForDisplay(message));
}

void ShowMissingFiles(QWidget* parent, const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    ShowNotice(parent, QStringLiteral("Kotonami"),
               QStringLiteral(u"次のファイルは見つかりません:\n%1").arg(paths.join(u'\n')));
}

bool AskRemoveMissingEntry(QWidget* parent, const QString& path)
{
    return QMessageBox::question(
               parent, QStringLiteral("Kotonami"),
               QStringLiteral(u"ファイル %1 は見つかりません。\n履歴から削除しますか？").arg(path),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

MessageSink ErrorSink(QWidget* parent)
{
    return
        [owner = QPointer<QWidget>(parent)](const QString& message) { ShowError(owner, message); };
}

MessageSink NoticeSink(QWidget* parent, const QString& caption)
{
    return [owner = QPointer<QWidget>(parent), caption](const QString& message) {
        ShowNotice(owner, caption, message);
    };
}

} // namespace MessageBoxes
