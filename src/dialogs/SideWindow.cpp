// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SideWindow.h"

#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

QRect PlaceInside(const QRect& owner, QSize size, const QRect& room)
{
    size = size.boundedTo(room.size());
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner.center());
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - size.width()));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - size.height()));
    return placed;
}

void PlaceOnOwnersScreen(QWidget& window, const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (screen == nullptr)
        return;
    // A window not shown yet has no frame: the owner's tells what the window manager adds.
    const QSize frame = owner.frameGeometry().size() - owner.geometry().size();
    const QRect placed =
        PlaceInside(owner.frameGeometry(), window.size() + frame, screen->availableGeometry());
    window.resize(placed.size() - frame);
    window.move(placed.topLeft());
}

void CloseWithEscape(QWidget& window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window, &window, &QWidget::close,
                                 Qt::WindowShortcut);
    escape->setObjectName(QStringLiteral("CloseKey"));
}
