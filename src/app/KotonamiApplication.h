// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object. An error that leaves any handler ends up here and is shown to the
// writer in the error box instead of ending the program.

#include <QApplication>

#include <string>

class KotonamiApplication : public QApplication
{
    Q_OBJECT

public:
    KotonamiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: a stop icon, caption "Kotonami", the message followed by ".", OK only.
    static void ShowError(const std::string& utf8Message);
};
