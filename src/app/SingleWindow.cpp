// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleWindow.h"

#include "app/TForm1.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QIODevice>
#include <QList>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The message: its length, then a mark and the paths as raw file-name bytes.
constexpr quint32 MessageMark = 0x4B544E31; // "KTN1"
constexpr quint32 LargestMessage = 1 << 20;
const QByteArray Accepted = QByteArrayLiteral("OK\n");

QByteArray MakeMessage(const std::vector<std::string>& paths)
{
    QList<QByteArray> list;
    for (const std::string& path : paths)
        list << QByteArray::fromStdString(path);
    QByteArray body;
    QDataStream(&body, QIODevice::WriteOnly) << MessageMark << list;
    QByteArray message;
    QDataStream(&message, QIODevice::WriteOnly) << static_cast<quint32>(body.size());
    return message + body;
}

// The paths of a well-formed message body; false for anything else.
bool ParseMessage(const QByteArray& body, std::vector<std::string>& paths)
{
    QDataStream stream(body);
    quint32 mark = 0;
    QList<QByteArray> list;
    stream >> mark >> list;
    if (stream.status() != QDataStream::Ok || mark != MessageMark || !stream.atEnd())
        return false;
    for (const QByteArray& path : list) {
        if (!path.startsWith('/') || path.contains('\0'))
            return false;
        paths.push_back(path.toStdString());
    }
    return true;
}

// Only this user's own processes are talked to, at either end.
bool SameUser(const QLocalSocket& socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::getuid();
}

// Whether a window listens on the name: the system accepts a connection for a live socket even
// before its window reads it, and refuses one left behind by a window that is gone.
bool SomeoneListens(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(500);
}

} // namespace

SingleWindow::SingleWindow(TForm1& form) : FForm(form) {}

QString SingleWindow::ServerName(const std::string& settingsPath)
{
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(settingsPath),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(16);
    // The user's runtime folder, which no one else may enter, rather than the shared temporary
    // folder, where another user could take the name first.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QStringLiteral("%1/kotonami-%2-%3").arg(folder).arg(::getuid()).arg(QLatin1String(hash));
}

bool SingleWindow::HandOver(const QString& name, const std::vector<std::string>& paths,
                            int answerMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(1000) || !SameUser(socket))
        return false;
    const QDeadlineTimer deadline(answerMs);
    socket.write(MakeMessage(paths));
    QByteArray answer;
    while (answer.size() < Accepted.size()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(deadline.remainingTime()))
            return false;
        answer += socket.read(Accepted.size() - answer.size());
    }
    return answer == Accepted;
}

bool SingleWindow::Listen(const QString& name)
{
    // The server puts its socket in place over any file of that name, so a live window's socket
    // would be taken over without a word: two windows would each take later starts' files. A
    // socket left behind by a window that did not end cleanly is replaced.
    if (SomeoneListens(name))
        return false;
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &SingleWindow::AcceptConnection);
    if (FServer->listen(name))
        return true;
    if (FServer->serverError() == QAbstractSocket::AddressInUseError &&
        QLocalServer::removeServer(name))
        return FServer->listen(name);
    return false;
}

void SingleWindow::AcceptConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        if (!SameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A start that connects and then says nothing is not kept waiting on forever.
        QTimer::singleShot(5000, socket, &QLocalSocket::abort);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadMessage(socket); });
    }
}

void SingleWindow::ReadMessage(QLocalSocket* socket)
{
    quint32 size = 0;
    if (socket->bytesAvailable() < qint64(sizeof size))
        return;
    QDataStream(socket->peek(sizeof size)) >> size;
    if (size > LargestMessage) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof size + size))
        return;
    socket->skip(sizeof size);
    std::vector<std::string> paths;
    if (!ParseMessage(socket->read(size), paths)) {
        socket->abort();
        return;
    }
    // The later start may end now; the files open as if they had been named at this start.
    socket->write(Accepted);
    socket->flush();
    FForm.OpenCommandLineItems(paths);
    if (FForm.isMinimized())
        FForm.showNormal();
    FForm.raise();
    FForm.activateWindow();
}
