// Requests: 1,000 status requests of one register (the service's state, as the Torvo panel asks
// for it) sent at once through the client's one sender (RequestSender, NetworkManager: the
// time and size limits, the outcome log lines, the release) beside the same 1,000 through a
// bare QNetworkAccessManager that only reads each body, against the simulator in a process of
// its own. Runs alternate; the CPU time of the whole process (Qt's network thread included)
// counts until every answer is handled and every request object released.
//
// Usage: torvo-bench-requests [--runs N] [--count N]
#include "BenchClock.h"
#include "BenchEnvironment.h"
#include "BenchReport.h"
#include "SimulatorProcess.h"
#include "WaitFor.h"

#include "network/BaseReply.h"
#include "network/RequestSender.h"
#include "network/RequestTorvoStatus.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <cstdio>

namespace {

const QString device = QStringLiteral("00106709871234");

struct Outcome
{
    double cpuMs = 0;
    double wallMs = 0;
    int answered = 0;
    int failed = 0;
};

void releaseDeferred()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Outcome throughSender(int count)
{
    QObject owner;
    Outcome outcome;
    const double cpu = BenchClock::processCpuMs();
    const double wall = BenchClock::wallMs();
    for (int i = 0; i < count; ++i) {
        auto* request = new RequestTorvoStatus(&owner);
        request->setDevice(device);
        RequestSender::send<RequestTorvoStatus>(
            request,
            RequestCourse::keepingDevice(&owner, QStringLiteral("обновления информации о службе Torvo"),
                                         device),
            [&outcome](RequestTorvoStatus*) { ++outcome.answered; },
            [&outcome](const QString&) { ++outcome.failed; });
    }
    waitFor([&] { return outcome.answered + outcome.failed == count; }, 300000);
    waitFor(
        [] {
            releaseDeferred();
            return BaseReply::liveCount() == 0;
        },
        10000);
    outcome.cpuMs = BenchClock::processCpuMs() - cpu;
    outcome.wallMs = BenchClock::wallMs() - wall;
    return outcome;
}

Outcome bare(QNetworkAccessManager& manager, const QString& url, int count)
{
    Outcome outcome;
    const double cpu = BenchClock::processCpuMs();
    const double wall = BenchClock::wallMs();
    for (int i = 0; i < count; ++i) {
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        request.setRawHeader(QByteArrayLiteral("User-Agent"), BaseReply::guiAgent);
        QNetworkReply* reply = manager.get(request);
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, &outcome] {
            reply->readAll();
            (reply->error() == QNetworkReply::NoError ? outcome.answered : outcome.failed)++;
            reply->deleteLater();
        });
    }
    if (!waitFor([&] { return outcome.answered + outcome.failed == count; }, 60000)) {
        std::fprintf(stderr, "bare manager: %d answered, %d failed of %d after a minute\n", outcome.answered,
                     outcome.failed, count);
    }
    releaseDeferred();
    outcome.cpuMs = BenchClock::processCpuMs() - cpu;
    outcome.wallMs = BenchClock::wallMs() - wall;
    return outcome;
}

} // namespace

int main(int argc, char* argv[])
{
    SimulatorProcess sim;
    if (!sim.start()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 2;
    }
    BenchEnvironment environment(sim.port());
    if (!environment.isValid()) {
        return 2;
    }
    QCoreApplication app(argc, argv);
    int runs = 5;
    int count = 1000;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == QLatin1String("--runs")) {
            runs = qMax(1, arguments.at(i + 1).toInt());
        } else if (arguments.at(i) == QLatin1String("--count")) {
            count = qMax(1, arguments.at(i + 1).toInt());
        }
    }
    QNetworkAccessManager manager;
    const QString url = BaseReply::appendDeviceSegment(
        BaseReply::serviceUrl(QStringLiteral("/api/v1/instances/info/")), device);
    // Both managers connect and warm up first.
    bare(manager, url, 20);
    throughSender(20);

    std::vector<double> senderMs, bareMs;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool sender = (turn == 0) == (run % 2 == 0);
            const Outcome outcome = sender ? throughSender(count) : bare(manager, url, count);
            failures += outcome.failed + (count - outcome.answered - outcome.failed);
            (sender ? senderMs : bareMs).push_back(outcome.cpuMs);
            std::printf("  run %d %-12s CPU %7.1f ms, wall %7.1f ms, %d answered, %d failed\n", run + 1,
                        sender ? "sender" : "bare manager", outcome.cpuMs, outcome.wallMs, outcome.answered,
                        outcome.failed);
            std::fflush(stdout);
        }
    }
    const double sender = median(senderMs);
    const double baseline = median(bareMs);
    printResult({QStringLiteral("%1 status requests through the one sender: CPU").arg(count), runs,
                 formatMs(sender), QStringLiteral("bare QNetworkAccessManager %1").arg(formatMs(baseline)),
                 QStringLiteral("%1 ×").arg(sender / baseline, 0, 'f', 2), QStringLiteral("≤ 1.2 ×"),
                 metText(sender / baseline <= 1.2)});
    printResult({QStringLiteral("Request objects left after the runs"), runs,
                 QString::number(BaseReply::liveCount()), QString(), QString(), QStringLiteral("0"),
                 metText(BaseReply::liveCount() == 0)});
    return failures == 0 ? 0 : 1;
}
