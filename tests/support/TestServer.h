#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
}

// A scripted HTTP server on 127.0.0.1 for tests: per method and path it answers a status, a
// body and an optional delay, or drops the connection, never answers, sends headers and then
// nothing, or streams a body slowly or without end. Every request is recorded.
class TestServer
{
public:
    enum class Action
    {
        Answer,
        Drop,    // promises more body than it sends (`body`, if any), then closes the connection
        Hang,    // never answers (until released)
        Silence, // sends the status line and headers, then nothing (until released)
        Stream   // sends `body` again and again, `delayMs` apart, `streamBytes` in all (-1: no end)
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        Action action = Action::Answer;
        qint64 streamBytes = -1;
        bool announceLength = false; // Stream: say `streamBytes` in Content-Length, not chunked
    };

    struct Request
    {
        QString method;
        QString path;      // decoded by the server
        QByteArray target; // raw request target, as sent
        QMap<QByteArray, QByteArray> headers;
        QByteArray body;
    };

    TestServer();
    ~TestServer();

    int port() const { return boundPort; }
    QString baseUrl() const;

    // Scripted answers; a request with no script gets 404.
    void setReply(const QString& method, const QString& path, const Reply& reply);
    void setJson(const QString& method, const QString& path, const QByteArray& body, int status = 200);
    void clearReplies();

    QList<Request> requests() const;
    QList<Request> requests(const QString& method, const QString& path) const;
    int requestCount() const;
    Request lastRequest() const;
    void clearRequests();

    // Ends every request that hangs, is silent or streams now (a hanging one with a 503), e.g.
    // before the test ends; later ones hang again.
    void releaseHanging();

private:
    void handle(const std::string& method, const void* request, void* response);
    // Waits up to `ms` (forever when negative) or until released; false when released.
    bool pause(quint64 generation, int ms);

    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int boundPort = 0;

    mutable std::mutex mutex;
    std::condition_variable released;
    quint64 releaseGeneration = 0;
    bool stopping = false;
    QMap<QString, Reply> replies;
    QList<Request> received;
};
