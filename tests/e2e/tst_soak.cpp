// The client as main() builds it, for a long time against the simulator process, whose faults
// (a hang, a 500, a closed port) come and go every two seconds while a notification arrives
// every second: the unread count and critical flags polled thousands of times, the list
// reloaded and the register switched hundreds of times. After warm-up the resident memory must
// not grow, every request object must be released, none may outlive its time limit, nothing
// may crash, and the log must roll as configured (daily, 14 days kept).
//
// The counts come from TORVO_SOAK_CYCLES, TORVO_SOAK_RELOADS and TORVO_SOAK_SWITCHES; the
// defaults are the short run of the test suite, scripts/soak runs the long one.
#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "app/Settings.h"
#include "network/BaseReply.h"
#include "network/NetworkManager.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationsPage.h"
#include "ui/ContentFrame.h"
#include "ui/HeaderFrame.h"
#include "ui/MainWindow.h"
#include "widgets/QtMaterialRaisedButton.h"

#include "LoopWatch.h"
#include "SimulatorProcess.h"
#include "TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QtTest>

#include <malloc.h>

namespace {

int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Resident memory once the allocator has given back what it holds free: what is left is in use.
qint64 residentBytes()
{
    malloc_trim(0);
    return processHeldBytes();
}

QString day(int daysAgo)
{
    return QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("yyyy-MM-dd"));
}

void writeAged(const QString& path, const QByteArray& content, int daysAgo)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    QVERIFY(file.flush()); // before the time is set, or closing would set it anew
    QVERIFY(
        file.setFileTime(QDateTime::currentDateTime().addDays(-daysAgo), QFileDevice::FileModificationTime));
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void soak();

private:
    void readSimulator();
    void control(const QByteArray& method, const QJsonObject& body);
    void toggleFault();
    void drive();
    void watchRequests();
    // Stops the load and the faults and waits until nothing is in flight any more.
    bool quiesce();
    void resume();

    SimulatorProcess simulator;
    QTemporaryDir data;
    QNetworkAccessManager controlClient;
    MainWindow* window = nullptr;
    QTimer* pollTimer = nullptr;
    QTimer faultTimer;
    bool quiet = false; // no faults while the memory is read
    QTimer driveTimer;
    QTimer watchTimer;

    int port = 0;
    int cycles = 0; // answered unread-count requests
    int criticalAnswers = 0;
    int reloads = 0;
    int switches = 0;
    int faultStep = 0;
    int faultsSwitched = 0;
    QHash<BaseReply*, qint64> firstSeen;
    QElapsedTimer clock;
    qint64 longestLifeMs = 0;
    QStringList overdue;
};

void SoakTest::initTestCase()
{
    QVERIFY(simulator.start({QStringLiteral("--notify-every"), QStringLiteral("1")}));
    port = simulator.port();

    // Start-up as main() does it, on a configuration folder that already holds yesterday's log,
    // one old file past the 14 days and one within them: the first line of this run rolls
    // yesterday's away and removes only the one too old.
    QVERIFY(data.isValid());
    qputenv("PROGRAMDATA", QFile::encodeName(data.path()));
    QVERIFY(QDir().mkpath(Settings::getLoggingPath()));
    QFile settings(Settings::getSettingsPath());
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    settings.close();
    const QString log = TestEnvironment::logFilePath();
    writeAged(log, "yesterday's line\n", 1);
    writeAged(log + QLatin1Char('.') + day(20), "too old\n", 20);
    writeAged(log + QLatin1Char('.') + day(10), "kept\n", 10);
    Settings::getInstance()->configurate();
    Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());

    qputenv("TORVO_TEST_POLL_MS", "5");
    window = new MainWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    pollTimer = window->getContentFrame()->getNotificationsPage()->getState()->findChild<QTimer*>();
    QVERIFY(pollTimer);
    QCOMPARE(pollTimer->interval(), 5);
    QTRY_VERIFY_WITH_TIMEOUT(!ApplicationState::getInstance()->getCurrentDevice().isEmpty(), 30000);
}

void SoakTest::cleanupTestCase()
{
    delete window;
    simulator.stop();
}

void SoakTest::readSimulator()
{
    for (const QByteArray& line : simulator.takeLines()) {
        if (line.startsWith("GET /api/v1/notifications/")) {
            ++cycles;
        } else if (line.startsWith("GET /api/v1/critical/")) {
            ++criticalAnswers;
        }
    }
}

void SoakTest::control(const QByteArray& method, const QJsonObject& body)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/sim/fault").arg(port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    QNetworkReply* reply = controlClient.sendCustomRequest(request, method, QJsonDocument(body).toJson());
    // While the port is closed this fails; the refusal ends by itself.
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

void SoakTest::toggleFault()
{
    if (quiet && faultStep % 2 == 0) {
        return;
    }
    static const QList<QJsonObject> faults{
        {{QStringLiteral("hang"), true}},
        {{QStringLiteral("status"), 500}},
        {{QStringLiteral("refuse"), true}, {QStringLiteral("seconds"), 1}},
    };
    if (faultStep % 2 == 0) {
        control("POST", faults.at((faultStep / 2) % faults.size()));
        ++faultsSwitched;
    } else {
        control("DELETE", {});
    }
    ++faultStep;
}

void SoakTest::drive()
{
    readSimulator();
    // Reloads and switches keep pace with the polling, so that all three run to the end together.
    static const int cyclesPerReload =
        fromEnvironment("TORVO_SOAK_CYCLES", 600) / fromEnvironment("TORVO_SOAK_RELOADS", 60);
    static const int cyclesPerSwitch =
        fromEnvironment("TORVO_SOAK_CYCLES", 600) / fromEnvironment("TORVO_SOAK_SWITCHES", 30);
    if (reloads < cycles / qMax(1, cyclesPerReload)) {
        auto* button =
            window->getContentFrame()->getNotificationsPage()->findChild<QtMaterialRaisedButton*>();
        button->click();
        ++reloads;
    }
    if (switches < cycles / qMax(1, cyclesPerSwitch)) {
        QComboBox* selector = window->getHeaderFrame()->getDeviceSelector();
        selector->setCurrentIndex((selector->currentIndex() + 1) % selector->count());
        ++switches;
    }
}

void SoakTest::watchRequests()
{
    QList<BaseReply*> live = ApplicationState::getInstance()->findChildren<BaseReply*>();
    live += window->findChildren<BaseReply*>();
    const qint64 now = clock.elapsed();
    QHash<BaseReply*, qint64> seen;
    for (BaseReply* request : live) {
        const qint64 since = firstSeen.value(request, now);
        seen.insert(request, since);
        longestLifeMs = qMax(longestLifeMs, now - since);
        // A second of grace for the sampling and a loaded machine.
        if (now - since > request->getTimeLimit() + 1000 && overdue.size() < 10) {
            overdue << QStringLiteral("%1 alive %2 ms").arg(request->getUrl()).arg(now - since);
        }
    }
    firstSeen = seen;
}

bool SoakTest::quiesce()
{
    // The faults keep their pace through the pauses, so that a short run meets them too.
    quiet = true;
    driveTimer.stop();
    pollTimer->stop();
    if (faultStep % 2 == 1) {
        toggleFault(); // the fault that is on goes
    }
    // Said again each second: a closed port reopens within a second and misses the first.
    QElapsedTimer sinceClear;
    sinceClear.start();
    const bool cleared = QTest::qWaitFor(
        [this, &sinceClear] {
            if (sinceClear.elapsed() > 1000) {
                control("DELETE", {});
                sinceClear.restart();
            }
            return BaseReply::liveCount() == 0;
        },
        60000);
    return cleared &&
           QTest::qWaitFor(
               [] { return NetworkManager::getInstance()->findChildren<QNetworkReply*>().isEmpty(); }, 30000);
}

void SoakTest::resume()
{
    pollTimer->start();
    quiet = false;
    driveTimer.start(10);
}

void SoakTest::soak()
{
    const int targetCycles = fromEnvironment("TORVO_SOAK_CYCLES", 600);
    const int targetReloads = fromEnvironment("TORVO_SOAK_RELOADS", 60);
    const int targetSwitches = fromEnvironment("TORVO_SOAK_SWITCHES", 30);

    // The log rolled at this run's first line: yesterday's file kept under its date, the one
    // past 14 days removed, the one within them left.
    const QString log = TestEnvironment::logFilePath();
    QVERIFY2(QFile::exists(log + QLatin1Char('.') + day(1)),
             qPrintable(QDir(Settings::getLoggingPath()).entryList(QDir::Files).join(QLatin1Char(' '))));
    QFile rolled(log + QLatin1Char('.') + day(1));
    QVERIFY(rolled.open(QIODevice::ReadOnly));
    QCOMPARE(rolled.readAll(), QByteArray("yesterday's line\n"));
    QVERIFY(!QFile::exists(log + QLatin1Char('.') + day(20)));
    QVERIFY(QFile::exists(log + QLatin1Char('.') + day(10)));

    connect(&faultTimer, &QTimer::timeout, this, &SoakTest::toggleFault);
    connect(&driveTimer, &QTimer::timeout, this, &SoakTest::drive);
    connect(&watchTimer, &QTimer::timeout, this, &SoakTest::watchRequests);
    clock.start();
    watchTimer.start(200);
    faultTimer.start(2000);
    resume();

    // Memory is read at every tenth of the run, with nothing in flight. The first fifth is the
    // warm-up: Qt's caches and connection pool fill, the tray's icons are all drawn.
    QList<qint64> resident;
    for (int tenth = 1; tenth <= 10; ++tenth) {
        QVERIFY2(
            QTest::qWaitFor(
                [&] {
                    return cycles >= targetCycles * tenth / 10 && reloads >= targetReloads * tenth / 10 &&
                           switches >= targetSwitches * tenth / 10;
                },
                600000),
            qPrintable(
                QStringLiteral("%1 cycles, %2 reloads, %3 switches").arg(cycles).arg(reloads).arg(switches)));
        QVERIFY2(quiesce(), "every request ends once the faults are gone");
        resident << residentBytes();
        if (tenth < 10) {
            resume();
        }
    }
    watchTimer.stop();
    readSimulator();
    const qint64 warm = resident.at(1);
    const qint64 end = resident.last();
    QStringList series;
    for (qint64 bytes : qAsConst(resident)) {
        series << QString::number(bytes / 1024);
    }

    qInfo(
        "%d count and %d critical cycles, %d reloads, %d register switches, %d faults switched on in %lld s; "
        "memory held at each tenth (KiB) %s: %+lld KiB after warm-up; longest-lived request %lld ms; "
        "%d request objects alive",
        cycles, criticalAnswers, reloads, switches, faultsSwitched, clock.elapsed() / 1000,
        qPrintable(series.join(QLatin1Char(' '))), (end - warm) / 1024, longestLifeMs,
        BaseReply::liveCount());
    QCOMPARE(BaseReply::liveCount(), 0);
    QVERIFY2(overdue.isEmpty(), qPrintable(overdue.join(QLatin1Char('\n'))));
    QVERIFY(simulator.isRunning());
    QVERIFY(criticalAnswers > 0);
    QVERIFY2(end - warm < 2 * 1024 * 1024,
             qPrintable(QStringLiteral("grew by %1 KiB").arg((end - warm) / 1024)));
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
