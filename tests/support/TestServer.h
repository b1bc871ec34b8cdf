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
// body and an optional delay, or drops the connection, or never answers. Every request is recorded.
class TestServer
{
public:
    enum class Action
    {
        Answer,
        Drop,
        Hang
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        Action action = Action::Answer;
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

    // Ends every request that hangs (with a 503), e.g. before the test ends.
    void releaseHanging();

private:
    void handle(const std::string& method, const void* request, void* response);

    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int boundPort = 0;

    mutable std::mutex mutex;
    std::condition_variable released;
    bool releaseAll = false;
    QMap<QString, Reply> replies;
    QList<Request> received;
};
