// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangedOnDiskBar.h"

#include "controls/ElidedLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ChangedOnDiskBar::ChangedOnDiskBar(QWidget* parent)
    : QWidget(parent), FMessage(new ElidedLabel(this))
{
    setObjectName(QStringLiteral("ChangedOnDiskBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(FMessage, 1);
    // Their mnemonics are none of the menu bar's letters nor the find bar's, which may show too.
    auto* reload = new QPushButton(QStringLiteral(u"再読み込み(&O)"), this);
    reload->setObjectName(QStringLiteral("ReloadButton"));
    auto* ignore = new QPushButton(QStringLiteral(u"無視(&G)"), this);
    ignore->setObjectName(QStringLiteral("IgnoreButton"));
    layout->addWidget(reload);
    layout->addWidget(ignore);
    connect(reload, &QPushButton::clicked, this, &ChangedOnDiskBar::ReloadClicked);
    connect(ignore, &QPushButton::clicked, this, &ChangedOnDiskBar::IgnoreClicked);
    hide();
}

void ChangedOnDiskBar::ShowFor(const QString& caption)
{
    FMessage->SetText(QStringLiteral(u"「%1」はほかのプログラムで変更されました。").arg(caption));
    show();
}
