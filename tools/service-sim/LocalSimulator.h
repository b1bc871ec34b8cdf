#pragma once

#include "SimServer.h"
#include "SimService.h"

#include <QByteArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QStringList>

#include <mutex>

// The simulator in the test's own process, on a free loopback port, for the tests that watch it
// closely: it starts from the standard state, keeps every line it prints, and its control path
// is one call away.
class LocalSimulator
{
public:
    LocalSimulator();

    // Listens on a free port; false when it cannot.
    bool start();
    // Answers whatever hangs and stops serving.
    void stop();

    int port() const { return server.port(); }
    bool isListening() const { return server.isListening(); }

    // The lines it printed ("METHOD target status ..."), from the start or from line `from` on.
    QStringList linesSince(int from = 0) const;
    int lineCount() const;
    bool sawLine(const QString& line) const;
    void clearLines();

    // Sends `body` as JSON with `method` to `path` (the control path or the service's own) and
    // waits up to 20 s for the answer, whose object it returns (empty when none came).
    QJsonObject control(const QByteArray& method, const QString& path, const QJsonObject& body = {});

private:
    SimService service;
    SimServer server;
    QNetworkAccessManager controlClient;

    mutable std::mutex linesMutex; // the server prints from its own threads
    QStringList lines;
};
