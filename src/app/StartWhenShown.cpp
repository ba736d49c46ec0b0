// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartWhenShown.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {

// Waits for the window's first exposure, then runs the start once and goes.
class ShownWatch : public QObject
{
public:
    ShownWatch(QWidget& window, std::function<void()> start)
        : QObject(&window), FStart(std::move(start))
    {
        QWindow* handle = window.windowHandle();
        if (handle == nullptr || handle->isExposed()) {
            QTimer::singleShot(0, this, &ShownWatch::Start);
            return;
        }
        handle->installEventFilter(this);
        QTimer::singleShot(1000, this, &ShownWatch::Start);
    }

protected:
    // The window draws itself on this very exposure; the start comes after it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, &ShownWatch::Start);
        return false;
    }

private:
    void Start()
    {
        if (!FStart)
            return;
        const std::function<void()> start = std::exchange(FStart, nullptr);
        deleteLater();
        start();
    }

    std::function<void()> FStart;
};

} // namespace

void StartWhenShown(QWidget& window, std::function<void()> start)
{
    new ShownWatch(window, std::move(start));
}
