#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

class SimService;

// Serves a SimService over HTTP on 127.0.0.1 only, applying its faults: a delay, a reply that
// never comes, an error status, a body that is not JSON, and refusing connections for a while.
// Every request ends in one line "METHOD target status" handed to the line sink (from the
// server's threads).
class SimServer
{
public:
    using LineSink = std::function<void(const QString& line)>;

    SimServer(SimService& service, LineSink sink);
    ~SimServer();

    // Binds 127.0.0.1:`port` (0: any free port) and starts serving. False when it cannot bind.
    bool start(int port);
    int port() const { return boundPort; }
    bool isListening() const;
    // Closes the listening socket for `duration` (connections are refused), then listens again
    // on the same port. A new call while refusing restarts the period.
    void refuseFor(std::chrono::milliseconds duration);
    // Answers whatever hangs with 503 and stops serving.
    void stop();

private:
    void handle(const char* method, const httplib::Request& request, httplib::Response& response);
    // Waits `duration` unless the listener closes first; true when it closes.
    bool delay(std::chrono::milliseconds duration);
    bool isInterrupted();
    bool openListener();
    void closeListener();
    void supervise();

    SimService& service;
    LineSink sink;
    int boundPort = 0;

    std::unique_ptr<httplib::Server> http;
    std::thread listenThread;
    std::thread supervisor;

    mutable std::mutex mutex;
    std::condition_variable wake;    // the supervisor: stop or refuse
    std::condition_variable changed; // waiting requests: faults changed or listener closing
    bool stopping = false;
    bool listening = false;
    bool interrupted = false;
    bool refuseRequested = false;
    unsigned faultGeneration = 0;
    std::chrono::steady_clock::time_point refuseUntil;
};
