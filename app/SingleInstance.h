#pragma once

#include <QObject>
#include <QString>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;

// One client per user session. The first process listens on a local socket; a later one asks
// it to bring its window forward and leaves. Claimed before the configuration is read, so a
// second start changes nothing on disk.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum Claim
    {
        // This process is the client; it listens unless listenError() says otherwise.
        First,
        // A running client was asked to show its window and confirmed it.
        HandedOver,
        // A client runs but did not confirm within the time limit.
        NoAnswer
    };

    explicit SingleInstance(const QString& serverName = defaultServerName(), QObject* parent = nullptr);

    // Blocks for at most `timeoutMs` (only when a client already runs); called before the event loop.
    Claim claim(int timeoutMs = 20000);
    QString listenError() const { return error; }

    // The user's own name in the session: on Linux a socket in the session's runtime folder.
    static QString defaultServerName();

signals:
    // A later start asked for the window.
    void activationRequested();

private:
    QString lockPath() const;
    bool handOver(QLocalSocket& socket, const QDeadlineTimer& deadline);
    void listen();
    void answer(QLocalSocket* socket);

    const QString name;
    QLocalServer* server = nullptr;
    QString error;
};
