// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The Send To registration: a link to the program in the file manager's per-user scripts folder,
// so that selected files can be sent to Kotonami from the file manager.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "shell/Exceptions.h"
#include "shell/UsefulFunc.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include <string>
#include <unistd.h>

namespace {

// The file manager lists a script under its file name, so the link is named as the program.
constexpr const char* LinkName = "/Kotonami";
// The name an earlier version gave the link, removed when the link is made or deleted.
constexpr const char* OldLinkName = "/Kotonami.lnk";

std::string SendToFolder()
{
    std::string folder = UsefulFunc::GetSpecialFolderPath(UsefulFunc::CSIDL_SENDTO);
    if (folder.empty())
        throw Exception("「送る」フォルダの取得に失敗しました。");
    return folder;
}

} // namespace

void TForm1::ConnectSendToActions()
{
    ConnectCommand(ui->CreateSendToItem, &QAction::triggered, this, &TForm1::CreateSendToItemClick);
    ConnectCommand(ui->DeleteSendToItem, &QAction::triggered, this, &TForm1::DeleteSendToItemClick);
}

void TForm1::CreateSendToItemClick()
{
    RegisterSendTo();
}

// Also the first-start question's Yes: the link, then the confirmation or the error.
void TForm1::RegisterSendTo()
{
    const QString title = QApplication::applicationName();
    try {
        const std::string program =
            QFile::encodeName(QApplication::applicationFilePath()).toStdString();
        const std::string folder = SendToFolder();
        ::unlink((folder + OldLinkName).c_str());
        UsefulFunc::CreateShortcut(program, folder + LinkName);
    } catch (const Exception& error) {
        QMessageBox::critical(this, title, QString::fromStdString(error.what()));
        return;
    }
    QMessageBox::information(this, title, title + QStringLiteral(u"を 「送る」 に登録しました。"));
}

void TForm1::DeleteSendToItemClick()
{
    const QString title = QApplication::applicationName();
    try {
        // Whether there was a link or not, it is gone now, and the writer is told so.
        const std::string folder = SendToFolder();
        ::unlink((folder + LinkName).c_str());
        ::unlink((folder + OldLinkName).c_str());
    } catch (const Exception& error) {
        QMessageBox::critical(this, title, QString::fromStdString(error.what()));
        return;
    }
    QMessageBox::information(this, title,
                             title + QStringLiteral(u"を 「送る」 から削除しました。"));
}
