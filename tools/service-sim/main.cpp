// A stand-in for the local Torvo service on 127.0.0.1, for demonstrations, training and tests.
#include "Scenario.h"
#include "SimServer.h"
#include "SimService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <mutex>

namespace {

bool readWhole(const QString& text, int low, int high, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "torvo-service-sim: %s\n", message.toUtf8().constData());
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvo-service-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates the local Torvo service on 127.0.0.1: its devices, set-up, registration, upgrades, "
        "settings, "
        "log export and notifications. Prints one line per request; the first line names the address."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("TCP port on 127.0.0.1 (0: any free port)."),
                                        QStringLiteral("port"), QStringLiteral("51077"));
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"), QStringLiteral("JSON file with devices, notification count, faults."),
        QStringLiteral("file"));
    const QCommandLineOption latencyOption(QStringLiteral("latency"),
                                           QStringLiteral("Delay every answer by ms milliseconds."),
                                           QStringLiteral("ms"));
    const QCommandLineOption notifyOption(
        QStringLiteral("notify-every"),
        QStringLiteral("Add a notification to every device each time this many seconds pass."),
        QStringLiteral("seconds"));
    parser.addOptions({portOption, scenarioOption, latencyOption, notifyOption});
    parser.process(app);

    int port = 0;
    if (!readWhole(parser.value(portOption), 0, 65535, port)) {
        return fail(QStringLiteral("--port must be a number from 0 to 65535"));
    }
    Scenario scenario = Scenario::standard(QDateTime::currentDateTime());
    if (parser.isSet(scenarioOption)) {
        QFile file(parser.value(scenarioOption));
        if (!file.open(QIODevice::ReadOnly)) {
            return fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        }
        const QString error = Scenario::read(file.readAll(), QDateTime::currentDateTime(), scenario);
        if (!error.isEmpty()) {
            return fail(file.fileName() + QStringLiteral(": ") + error);
        }
    }
    if (parser.isSet(latencyOption) &&
        !readWhole(parser.value(latencyOption), 0, 600000, scenario.latencyMs)) {
        return fail(QStringLiteral("--latency must be a number of milliseconds from 0 to 600000"));
    }
    int notifySeconds = 0;
    if (parser.isSet(notifyOption) && !readWhole(parser.value(notifyOption), 1, 86400, notifySeconds)) {
        return fail(QStringLiteral("--notify-every must be a number of seconds from 1 to 86400"));
    }

    std::mutex outputMutex;
    const auto print = [&outputMutex](const QString& line) {
        std::lock_guard<std::mutex> lock(outputMutex);
        std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
        // Someone watches this live, or a script waits for the first line.
        std::fflush(stdout);
    };

    SimService service(scenario);
    SimServer server(service, print);
    if (!server.start(port)) {
        std::fprintf(stderr, "torvo-service-sim: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    print(QStringLiteral("torvo-service-sim: listening on http://127.0.0.1:%1").arg(server.port()));

    QTimer notifyTimer;
    if (notifySeconds > 0) {
        QObject::connect(&notifyTimer, &QTimer::timeout, &app, [&service, &print] {
            service.addNotifications();
            print(QStringLiteral("new notification for every device"));
        });
        notifyTimer.start(notifySeconds * 1000);
    }
    return app.exec();
}
