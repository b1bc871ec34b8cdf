#include "TestServer.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

QString key(const QString& method, const QString& path)
{
    return method + QLatin1Char(' ') + path;
}

} // namespace

TestServer::TestServer()
    : server(std::make_unique<httplib::Server>())
{
    // Hanging handlers hold a worker each; keep enough for the others.
    server->new_task_queue = [] {
        return new httplib::ThreadPool(16);
    };
    auto handler = [this](const char* method) {
        return [this, method](const httplib::Request& request, httplib::Response& response) {
            handle(method, &request, &response);
        };
    };
    const std::string any = ".*";
    server->Get(any, handler("GET"));
    server->Post(any, handler("POST"));
    server->Put(any, handler("PUT"));
    server->Delete(any, handler("DELETE"));
    server->Patch(any, handler("PATCH"));

    boundPort = server->bind_to_any_port("127.0.0.1");
    // The socket listens from bind on, so connections made before the accept loop runs just wait.
    thread = std::thread([this] { server->listen_after_bind(); });
}

TestServer::~TestServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    released.notify_all();
    server->stop();
    if (thread.joinable()) {
        thread.join();
    }
}

QString TestServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(boundPort);
}

void TestServer::setReply(const QString& method, const QString& path, const Reply& reply)
{
    std::lock_guard<std::mutex> lock(mutex);
    replies.insert(key(method, path), reply);
}

void TestServer::setJson(const QString& method, const QString& path, const QByteArray& body, int status)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    setReply(method, path, reply);
}

void TestServer::clearReplies()
{
    std::lock_guard<std::mutex> lock(mutex);
    replies.clear();
}

QList<TestServer::Request> TestServer::requests() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received;
}

QList<TestServer::Request> TestServer::requests(const QString& method, const QString& path) const
{
    QList<Request> result;
    for (const Request& request : requests()) {
        if (request.method == method && request.path == path) {
            result.append(request);
        }
    }
    return result;
}

int TestServer::requestCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received.size();
}

TestServer::Request TestServer::lastRequest() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received.isEmpty() ? Request() : received.last();
}

void TestServer::clearRequests()
{
    std::lock_guard<std::mutex> lock(mutex);
    received.clear();
}

void TestServer::releaseHanging()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++releaseGeneration;
    }
    released.notify_all();
}

bool TestServer::pause(quint64 generation, int ms)
{
    std::unique_lock<std::mutex> lock(mutex);
    const auto isReleased = [this, generation] {
        return stopping || releaseGeneration != generation;
    };
    if (ms < 0) {
        released.wait(lock, isReleased);
        return false;
    }
    return !released.wait_for(lock, std::chrono::milliseconds(ms), isReleased);
}

void TestServer::handle(const std::string& method, const void* rawRequest, void* rawResponse)
{
    const auto& request = *static_cast<const httplib::Request*>(rawRequest);
    auto& response = *static_cast<httplib::Response*>(rawResponse);

    Request record;
    record.method = QString::fromStdString(method);
    record.path = QString::fromStdString(request.path);
    record.target = QByteArray::fromStdString(request.target);
    for (const auto& header : request.headers) {
        record.headers.insert(QByteArray::fromStdString(header.first),
                              QByteArray::fromStdString(header.second));
    }
    record.body = QByteArray::fromStdString(request.body);

    // stop() waits for every kept-alive connection to time out; closing each one after its reply
    // keeps a test's teardown quick.
    response.set_header("Connection", "close");

    Reply reply;
    bool scripted = false;
    quint64 generation = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        generation = releaseGeneration;
        received.append(record);
        const auto found = replies.constFind(key(record.method, record.path));
        if (found != replies.constEnd()) {
            reply = found.value();
            scripted = true;
        }
    }
    if (!scripted) {
        response.status = 404;
        response.set_content("{}", "application/json");
        return;
    }

    if (reply.action == Action::Hang) {
        pause(generation, -1);
        response.status = 503;
        return;
    }
    if (reply.action == Action::Silence) {
        response.status = reply.status;
        response.set_chunked_content_provider("application/json",
                                              [this, generation](size_t, httplib::DataSink&) {
                                                  pause(generation, -1);
                                                  return false;
                                              });
        return;
    }
    if (reply.action == Action::Stream) {
        response.status = reply.status;
        const std::string chunk = reply.body.isEmpty() ? std::string("x") : reply.body.toStdString();
        const qint64 total = reply.streamBytes;
        auto sent = std::make_shared<qint64>(0);
        // Writes the next piece; false once the stream is over or the client has gone.
        auto next = [this, generation, chunk, total, sent, delay = reply.delayMs](httplib::DataSink& sink) {
            // Also without a delay: a stream must end when released, or it outlives its test.
            if (!pause(generation, delay)) {
                return false;
            }
            qint64 size = qint64(chunk.size());
            if (total >= 0) {
                size = std::min(size, total - *sent);
            }
            if (size <= 0 || !sink.write(chunk.data(), size_t(size))) {
                return false;
            }
            *sent += size;
            return true;
        };
        if (reply.announceLength && total >= 0) {
            response.set_content_provider(
                size_t(total), "application/json",
                [next](size_t, size_t, httplib::DataSink& sink) { return next(sink); });
            return;
        }
        response.set_chunked_content_provider("application/json",
                                              [next, total, sent](size_t, httplib::DataSink& sink) {
                                                  if (next(sink)) {
                                                      return true;
                                                  }
                                                  // The end of a finite stream is said in full; anything else
                                                  // just stops.
                                                  if (total >= 0 && *sent >= total) {
                                                      sink.done();
                                                      return true;
                                                  }
                                                  return false;
                                              });
        return;
    }
    if (reply.delayMs > 0) {
        pause(generation, reply.delayMs);
    }
    if (reply.action == Action::Drop) {
        // Promise a body, send part of it and abandon it: the connection closes mid-reply.
        response.status = reply.status;
        const std::string part = reply.body.toStdString();
        response.set_content_provider(part.size() + 1024, "application/json",
                                      [part](size_t offset, size_t, httplib::DataSink& sink) {
                                          if (offset == 0 && !part.empty()) {
                                              sink.write(part.data(), part.size());
                                              return true;
                                          }
                                          return false;
                                      });
        return;
    }
    response.status = reply.status;
    response.set_content(reply.body.toStdString(), "application/json");
}
