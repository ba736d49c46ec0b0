// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The manuscript check: 解析 › 原稿チェック opens the list of findings beside the editor, which
// follows the tab in front; the rules switched in its menu are kept in the settings file.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/ManuscriptCheckDock.h"
#include "controls/TRichEditEx.h"

#include <QAction>
#include <QMenu>

void TForm1::ConnectCheckActions()
{
    auto* item = new QAction(QStringLiteral(u"原稿チェック(&G)"), this);
    item->setObjectName(QStringLiteral("ManuscriptCheckItem"));
    item->setToolTip(QStringLiteral(u"原稿の決まりごとを確かめる"));
    ui->AnalyzeItem->addSeparator();
    ui->AnalyzeItem->addAction(item);
    ConnectCommand(item, &QAction::triggered, this, &TForm1::ManuscriptCheckItemClick);
}

// The list is made when first asked for, hidden, following the tab in front; hidden, it costs an
// edit nothing.
void TForm1::MakeManuscriptCheck()
{
    if (FManuscriptCheck != nullptr)
        return;
    FManuscriptCheck = new ManuscriptCheckDock(this, FCheckSwitches, FHeadingRules);
    FManuscriptCheck->hide();
    addDockWidget(Qt::RightDockWidgetArea, FManuscriptCheck);
    connect(this, &TForm1::FrontEditorChanged, FManuscriptCheck, &ManuscriptCheckDock::Follow);
    connect(FManuscriptCheck, &ManuscriptCheckDock::SwitchesChanged, this,
            [this](const CheckSwitches& switches) { FCheckSwitches = switches; });
    FManuscriptCheck->Follow(Editor());
}

void TForm1::ManuscriptCheckItemClick()
{
    MakeManuscriptCheck();
    FManuscriptCheck->Follow(Editor());
    FManuscriptCheck->show();
    FManuscriptCheck->raise();
}
