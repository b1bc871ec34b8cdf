#include "SimServer.h"

#include "SimService.h"

#include <httplib.h>

#include <set>

namespace {

const char* const jsonType = "application/json; charset=utf-8";

// What a reverse proxy in front of a stopped backend answers: a page, not JSON.
const char* const notJsonBody = "<html><head><title>503 Service Temporarily Unavailable</title></head>"
                                "<body><h1>Service Temporarily Unavailable</h1></body></html>";

} // namespace

SimServer::SimServer(SimService& simService, LineSink lineSink)
    : service(simService)
    , sink(std::move(lineSink))
{
}

SimServer::~SimServer()
{
    stop();
}

bool SimServer::start(int port)
{
    boundPort = port;
    if (!openListener()) {
        return false;
    }
    supervisor = std::thread([this] { supervise(); });
    // A scenario's refusal starts at once: a service that comes up after the client.
    if (const int seconds = service.takeRefusal()) {
        refuseFor(std::chrono::seconds(seconds));
    }
    return true;
}

bool SimServer::isListening() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return listening;
}

void SimServer::refuseFor(std::chrono::milliseconds duration)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        refuseUntil = std::chrono::steady_clock::now() + duration;
        refuseRequested = true;
    }
    wake.notify_all();
}

void SimServer::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        interrupted = true;
    }
    wake.notify_all();
    changed.notify_all();
    if (supervisor.joinable()) {
        supervisor.join();
    }
}

bool SimServer::openListener()
{
    auto server = std::make_unique<httplib::Server>();
    // A hanging request holds a worker for as long as it hangs; keep plenty for the others.
    server->new_task_queue = [] {
        return new httplib::ThreadPool(32);
    };
    // One request per connection, so that closing the listener refuses the very next request.
    server->set_keep_alive_max_count(1);
    const auto route = [this](const char* method) {
        return [this, method](const httplib::Request& request, httplib::Response& response) {
            handle(method, request, response);
        };
    };
    // A command without a body ("curl -X POST .../sim/reset") has no Content-Length; httplib would
    // answer 400 for want of the body it waits for, before any route sees the request.
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        static const std::set<std::string> withBody{"POST", "PUT", "PATCH", "DELETE"};
        if (!withBody.count(request.method) || request.has_header("Content-Length") ||
            request.has_header("Transfer-Encoding")) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        handle(request.method.c_str(), request, response);
        return httplib::Server::HandlerResponse::Handled;
    });
    server->Get(".*", route("GET"));
    server->Post(".*", route("POST"));
    server->Put(".*", route("PUT"));
    server->Patch(".*", route("PATCH"));
    server->Delete(".*", route("DELETE"));

    if (boundPort == 0) {
        const int port = server->bind_to_any_port("127.0.0.1");
        if (port <= 0) {
            return false;
        }
        boundPort = port;
    } else if (!server->bind_to_port("127.0.0.1", boundPort)) {
        return false;
    }
    httplib::Server* raw = server.get();
    listenThread = std::thread([raw] { raw->listen_after_bind(); });
    // stop() only takes effect once the accept loop runs; connections made meanwhile just wait.
    while (!raw->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    http = std::move(server);
    std::lock_guard<std::mutex> lock(mutex);
    listening = true;
    interrupted = stopping;
    return true;
}

void SimServer::closeListener()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        interrupted = true;
        listening = false;
    }
    changed.notify_all();
    if (http) {
        http->stop();
    }
    if (listenThread.joinable()) {
        listenThread.join();
    }
    http.reset();
}

void SimServer::supervise()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return stopping || refuseRequested; });
        if (stopping) {
            break;
        }
        refuseRequested = false;
        lock.unlock();
        closeListener();
        sink(QStringLiteral("refusing connections"));
        lock.lock();
        bool reopened = false;
        while (!reopened && !stopping) {
            // A further refusal asked for meanwhile moves refuseUntil on.
            while (!stopping && std::chrono::steady_clock::now() < refuseUntil) {
                wake.wait_until(lock, refuseUntil);
            }
            refuseRequested = false;
            if (stopping) {
                break;
            }
            lock.unlock();
            reopened = openListener();
            sink(reopened ? QStringLiteral("listening again on http://127.0.0.1:%1").arg(boundPort)
                          : QStringLiteral("port %1 is taken, retrying").arg(boundPort));
            lock.lock();
            if (!reopened) {
                refuseUntil = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            }
        }
    }
    lock.unlock();
    closeListener();
}

bool SimServer::isInterrupted()
{
    std::lock_guard<std::mutex> lock(mutex);
    return interrupted;
}

bool SimServer::delay(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, duration, [this] { return interrupted; });
}

void SimServer::handle(const char* method, const httplib::Request& request, httplib::Response& response)
{
    const QString verb = QLatin1String(method);
    const QByteArray target = QByteArray::fromStdString(request.target);
    const QString line = verb + QLatin1Char(' ') + QString::fromUtf8(target) + QLatin1Char(' ');
    const auto unavailable = [&] {
        response.status = 503;
        response.set_content(
            SimReply::error(503, QStringLiteral("Служба останавливается")).body.toStdString(), jsonType);
        sink(line + QStringLiteral("503 (interrupted)"));
    };

    Fault fault = service.faultFor(verb, target);
    QString note;
    if (fault.latencyMs > 0) {
        if (delay(std::chrono::milliseconds(fault.latencyMs))) {
            return unavailable();
        }
        note = QStringLiteral(" (+%1 ms)").arg(fault.latencyMs);
    }
    if (fault.hang) {
        sink(line + QStringLiteral("hang"));
    }
    while (fault.hang) {
        unsigned generation = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            generation = faultGeneration;
        }
        fault = service.faultFor(verb, target);
        if (!fault.hang) {
            break;
        }
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return interrupted || faultGeneration != generation; });
        if (interrupted) {
            lock.unlock();
            return unavailable();
        }
    }

    if (fault.endless && !fault.status) {
        response.status = 200;
        // Spaces are valid JSON padding: only the size of the body is wrong, never its bytes.
        response.set_chunked_content_provider(jsonType, [this](size_t, httplib::DataSink& out) {
            static const std::string chunk(64 * 1024, ' ');
            return !isInterrupted() && out.write(chunk.data(), chunk.size());
        });
        sink(line + QStringLiteral("200 (endless)"));
        return;
    }

    SimReply reply;
    const char* contentType = jsonType;
    if (fault.status) {
        reply =
            SimReply::error(fault.status, QStringLiteral("Имитация сбоя службы: HTTP %1").arg(fault.status));
        note += QStringLiteral(" (fault)");
    } else if (fault.notJson) {
        reply = {200, QByteArray(notJsonBody)};
        contentType = "text/html; charset=utf-8";
        note += QStringLiteral(" (not JSON)");
    } else {
        reply = service.handle(verb, target, QByteArray::fromStdString(request.body));
    }
    response.status = reply.status;
    response.set_content(reply.body.toStdString(), contentType);
    sink(line + QString::number(reply.status) + note);

    if (SimService::isControlPath(target)) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++faultGeneration;
        }
        changed.notify_all();
        if (const int seconds = service.takeRefusal()) {
            refuseFor(std::chrono::seconds(seconds));
        }
    }
}
