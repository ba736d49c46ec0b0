// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One window per user and settings file: a later start hands its files to the running window over
// a local socket that only the same user may open, and ends.

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;
class TForm1;

class SingleWindow : public QObject
{
    Q_OBJECT

public:
    explicit SingleWindow(TForm1& form);

    // The socket's name: the user id and the settings file, so that separate settings mean
    // separate windows.
    static QString ServerName(const std::string& settingsPath);

    // Hands absolute paths to the window listening on `name`; true when it took them. Nothing
    // listening, a refusal, a garbled answer, or no answer within `answerMs` (a window still
    // opening its own files answers once it has) give false.
    static bool HandOver(const QString& name, const std::vector<std::string>& paths,
                         int answerMs = 30000);

    // Starts answering later starts; false when the socket cannot be made.
    bool Listen(const QString& name);

private:
    void AcceptConnection();
    void ReadMessage(QLocalSocket* socket);

    TForm1& FForm;
    QLocalServer* FServer = nullptr;
};
