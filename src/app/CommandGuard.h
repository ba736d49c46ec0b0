// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window command meets its errors at its own boundary: what it throws is shown in the error box
// there and goes no further, so no exception ever leaves a slot that a signal called.

#include "dialogs/MessageBoxes.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <exception>

// Runs `command`; an error it raises is shown over `window` as the program's error box.
template <class Command> void RunCommand(QWidget* window, Command&& command) noexcept
{
    try {
        command();
    } catch (const std::exception& error) {
        MessageBoxes::ShowError(window, QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::ShowError(window, QStringLiteral("Unknown error"));
    }
}

// Connects `signal` of `sender` to the window's command `handler` through RunCommand.
template <class Sender, class Signal, class Window, class... Args>
QMetaObject::Connection ConnectCommand(Sender* sender, Signal signal, Window* window,
                                       void (Window::*handler)(Args...))
{
    return QObject::connect(sender, signal, window, [window, handler](Args... args) {
        RunCommand(window, [&] { (window->*handler)(args...); });
    });
}
