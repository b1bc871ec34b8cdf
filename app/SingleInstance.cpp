#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

const QByteArray showRequest = "show\n";
const QByteArray shownAnswer = "shown\n";

} // namespace

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent)
    , name(serverName)
{
}

QString SingleInstance::defaultServerName()
{
#ifdef Q_OS_WIN
    // Pipe names are machine-wide: the user and the logon session make them one per session.
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return QStringLiteral("torvo-gui-%1-%2").arg(qEnvironmentVariable("USERNAME")).arg(session);
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + QStringLiteral("/torvo-gui-%1.socket").arg(::getuid());
#endif
}

QString SingleInstance::lockPath() const
{
#ifdef Q_OS_WIN
    return QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".lock");
#else
    return name + QStringLiteral(".lock");
#endif
}

SingleInstance::Claim SingleInstance::claim(int timeoutMs)
{
    // Two starts at once (a double click that fires twice) must not both become the client:
    // asking and listening happen under one lock. A lock left by a killed process is stale
    // once its owner is gone, and QLockFile takes it over.
    const QDeadlineTimer deadline(timeoutMs);
    QLockFile lock(lockPath());
    const bool locked = lock.tryLock(timeoutMs);

    QLocalSocket socket;
    socket.connectToServer(name);
    if (socket.waitForConnected(int(deadline.remainingTime()))) {
        return handOver(socket, deadline) ? HandedOver : NoAnswer;
    }
    if (!locked && lock.error() == QLockFile::LockFailedError) {
        // A live process holds the lock and has not begun to listen.
        return NoAnswer;
    }
    listen();
    return First;
}

bool SingleInstance::handOver(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
#ifdef Q_OS_WIN
    // Windows lets only the foreground process hand the foreground on; this one was just
    // started by the operator and holds it.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    socket.write(showRequest);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            return false;
        }
    }
    return socket.readLine() == shownAnswer;
}

void SingleInstance::listen()
{
    // Only a socket left by a crashed client can be in the way: a live one answered above.
    QLocalServer::removeServer(name);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        error = server->errorString();
        return;
    }
    connect(server, &QLocalServer::newConnection, this, [this]() {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket]() { answer(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer(socket);
        }
    });
}

void SingleInstance::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        // Nothing but the one short request is expected.
        if (socket->bytesAvailable() > showRequest.size()) {
            socket->abort();
        }
        return;
    }
    if (socket->readLine() == showRequest) {
        emit activationRequested();
        socket->write(shownAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
}
