// The simulator program as the run script uses it: options, the first line, one line per request.
#include "network/NetworkManager.h"
#include "network/RequestKKTList.h"
#include "network/RequestTorvoList.h"

#include "SimulatorProcess.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class SimProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void scenarioDevicesAreServed();
    void everyRequestIsPrinted();
    void badOptions_data();
    void badOptions();

private:
    bool sawLine(const QString& line);

    QTemporaryDir dir;
    SimulatorProcess simulator;
    std::unique_ptr<TestEnvironment> environment;
};

void SimProcessTest::initTestCase()
{
    QFile scenario(dir.filePath("scenario.json"));
    QVERIFY(scenario.open(QIODevice::WriteOnly));
    scenario.write(R"({"devices": [{"id": "K-1", "shiftState": "Открыта"}, {"id": "I-1", "register": false}],
                       "notifications": 3})");
    scenario.close();

    QVERIFY(simulator.start({"--scenario", scenario.fileName(), "--latency", "10"}));
    const QString first = QString::fromUtf8(simulator.takeLines().value(0));
    const QRegularExpressionMatch match =
        QRegularExpression("^torvo-service-sim: listening on http://127\\.0\\.0\\.1:(\\d+)$").match(first);
    QVERIFY2(match.hasMatch(), qPrintable(first));
    const int port = match.captured(1).toInt();
    QVERIFY(port > 0 && port != 51077);
    environment = std::make_unique<TestEnvironment>(port);
}

void SimProcessTest::cleanupTestCase()
{
    simulator.stop();
}

bool SimProcessTest::sawLine(const QString& line)
{
    return simulator.output().split('\n').contains(line.toUtf8());
}

void SimProcessTest::scenarioDevicesAreServed()
{
    auto* kkt = new RequestKKTList(this);
    auto* instances = new RequestTorvoList(this);
    QSignalSpy kktDone(kkt, &BaseReply::success);
    QSignalSpy instancesDone(instances, &BaseReply::success);
    NetworkManager::getInstance()->executeRequest(kkt);
    NetworkManager::getInstance()->executeRequest(instances);
    QTRY_COMPARE(kktDone.count() + instancesDone.count(), 2);
    QCOMPARE(kkt->getSerials(), QStringList{"K-1"});
    QCOMPARE(instances->getIds(), QStringList{"I-1"});
}

void SimProcessTest::everyRequestIsPrinted()
{
    // Flushed line by line: a person or a script watching sees each request as it ends.
    QTRY_VERIFY(sawLine("GET /api/v1/dkktList 200 (+10 ms)"));
    QTRY_VERIFY(sawLine("GET /api/v1/instances/info 200 (+10 ms)"));
}

void SimProcessTest::badOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("port not a number") << QStringList{"--port", "abc"} << "--port";
    QTest::newRow("port too large") << QStringList{"--port", "70000"} << "--port";
    QTest::newRow("missing scenario")
        << QStringList{"--scenario", "/nonexistent/s.json"} << "/nonexistent/s.json";
    QTest::newRow("notify every 0 s")
        << QStringList{"--port", "0", "--notify-every", "0"} << "--notify-every";
}

void SimProcessTest::badOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess process;
    process.start(SimulatorProcess::program(), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(message));
}

QTEST_GUILESS_MAIN(SimProcessTest)
#include "tst_simprocess.moc"
