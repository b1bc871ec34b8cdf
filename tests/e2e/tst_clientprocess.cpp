// The real torvo-gui process against the real simulator process on an X display, driven from
// outside as a person would: the window manager's close, the tray icon's clicks and menu, a
// second start. Run by ctest with a tray host (withTray, secondStart), without one (withoutTray),
// with one that comes up after the client (lateTray) and on a dense screen (denseScreen).
#include "SimulatorProcess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (output.isEmpty() && process.exitCode() != 0) {
        // A tool that fails says why, so that a failed wait explains itself.
        qWarning("%s: %s (exit %d, %s)", qPrintable(program), process.readAllStandardError().constData(),
                 process.exitCode(), qPrintable(process.errorString()));
    }
    return output;
}

QString windowState(const QString& title)
{
    return run(QStringLiteral(X11TOOL_PATH), {QStringLiteral("state"), title});
}

void closeWindow(const QString& title)
{
    run(QStringLiteral(X11TOOL_PATH), {QStringLiteral("close"), title});
}

// The client's tray icon: its 22 by 22 window embedded in the tray host.
QString trayIconWindow()
{
    const QStringList windows =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--classname"), QStringLiteral("torvo-gui")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        if (run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window})
                .contains(QStringLiteral("Geometry: 22x22"))) {
            return window;
        }
    }
    return QString();
}

void xdotool(const QStringList& arguments)
{
    run(QStringLiteral("xdotool"), arguments);
}

void doubleClick(const QString& icon)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon, QStringLiteral("11"),
             QStringLiteral("11"), QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
             QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

// "Выход", the last entry of the tray menu.
void chooseQuit(const QString& icon)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon, QStringLiteral("11"),
             QStringLiteral("11"), QStringLiteral("click"), QStringLiteral("3")});
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--classname"), QStringLiteral("torvo-gui")})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .size() >= 3,
        20000);
    xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return")});
}

// Sockets included.
QStringList entriesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ClientProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withTray();
    void withoutTray();
    void lateTray();
    void secondStart();
    void lateService();
    void denseScreen();

private:
    void startBoth(const QJsonObject& scenario = {});
    void startClient();
    QString simulatorOutput() const;
    QString clientLog() const;
    void verifyWindowAndIcon(QString* icon);
    void hideRestoreAndQuit(const QString& icon);

    QTemporaryDir data;
    // The session's runtime folder, where the one-instance socket lives: a private one per test.
    QTemporaryDir runtime;
    SimulatorProcess simulator;
    QProcess client;
    QProcess trayHost;
};

void ClientProcessTest::init()
{
    QVERIFY(data.isValid());
    QVERIFY(runtime.isValid());
}

void ClientProcessTest::cleanup()
{
    if (QTest::currentTestFailed()) {
        qWarning("client %s, its errors: %s\nits log:\n%s",
                 client.state() == QProcess::Running ? "running" : "ended",
                 client.readAllStandardError().constData(), qPrintable(clientLog()));
    }
    for (QProcess* process : {&client, &trayHost}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
    simulator.stop();
}

QString ClientProcessTest::simulatorOutput() const
{
    return QString::fromUtf8(simulator.output());
}

void ClientProcessTest::startBoth(const QJsonObject& scenario)
{
    QVERIFY(simulator.start({}, scenario));
    const QString port = QString::number(simulator.port());

    const QString config = data.path() + QStringLiteral("/zel/torvo/torvo-gui");
    QVERIFY(QDir().mkpath(config));
    QFile settings(config + QStringLiteral("/gui_settings.json"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("{\n    \"port\": " + port.toUtf8() + "\n}\n");
    settings.close();
    startClient();
}

void ClientProcessTest::startClient()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PROGRAMDATA"), data.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(client.waitForStarted());
}

QString ClientProcessTest::clientLog() const
{
    return QString::fromUtf8(readFile(data.path() + QStringLiteral("/zel/torvo/torvo-gui/log/gui.log")));
}

void ClientProcessTest::verifyWindowAndIcon(QString* icon)
{
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!(*icon = trayIconWindow()).isEmpty(), 30000);
}

// The tray's ways with the window: the window manager's close hides it to the tray and the
// process goes on, a double click on the icon brings it back, "Выход" ends it with status 0.
void ClientProcessTest::hideRestoreAndQuit(const QString& icon)
{
    closeWindow(QStringLiteral("Torvo"));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("hidden"), 20000);
    QCOMPARE(client.state(), QProcess::Running);
    doubleClick(icon);
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 20000);
    chooseQuit(icon);
    QVERIFY(client.waitForFinished(30000));
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QVERIFY2(client.exitCode() == 0, client.readAllStandardError().right(4000).constData());
}

void ClientProcessTest::withTray()
{
    startBoth();
    // Start-up: both lists, then the six status requests of the first device.
    QTRY_VERIFY_WITH_TIMEOUT(simulatorOutput().count(QStringLiteral("GET /api/v1/update/")) >= 1, 30000);
    const QStringList lines = simulatorOutput().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 9);
    QStringList lists = lines.mid(1, 2);
    std::sort(lists.begin(), lists.end());
    QCOMPARE(lists, QStringList({QStringLiteral("GET /api/v1/dkktList 200"),
                                 QStringLiteral("GET /api/v1/instances/info 200")}));
    QString icon;
    verifyWindowAndIcon(&icon);
    if (QTest::currentTestFailed()) {
        return;
    }

    hideRestoreAndQuit(icon);
}

void ClientProcessTest::withoutTray()
{
    startBoth();
    // No tray: the client says so in a box before its window appears.
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Системный трей")), QStringLiteral("viewable"),
                              30000);
    closeWindow(QStringLiteral("Системный трей"));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);
    // The device list may have arrived while the box was open; the first device is still selected.
    QTRY_VERIFY_WITH_TIMEOUT(simulatorOutput().contains(QStringLiteral("GET /api/v1/status/")), 30000);

    // Closing the only window must end the process, or nothing could.
    closeWindow(QStringLiteral("Torvo"));
    QVERIFY(client.waitForFinished(30000));
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QVERIFY2(client.exitCode() == 0, client.readAllStandardError().right(4000).constData());
}

void ClientProcessTest::lateTray()
{
    startBoth();
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Системный трей")), QStringLiteral("viewable"),
                              30000);
    closeWindow(QStringLiteral("Системный трей"));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);

    // The session's panel comes up after the client: the icon follows, and with it the tray's ways.
    trayHost.start(QStringLiteral("trayer"),
                   {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                    QStringLiteral("--height"), QStringLiteral("24")});
    QVERIFY(trayHost.waitForStarted());
    QString icon;
    verifyWindowAndIcon(&icon);
    if (QTest::currentTestFailed()) {
        return;
    }
    hideRestoreAndQuit(icon);
}

void ClientProcessTest::secondStart()
{
    startBoth();
    QString icon;
    verifyWindowAndIcon(&icon);
    if (QTest::currentTestFailed()) {
        return;
    }
    closeWindow(QStringLiteral("Torvo"));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("hidden"), 20000);

    // A second start in the same session brings the hidden window back and leaves at once. Its
    // own configuration folder stays empty: it neither reads nor writes one, nor logs.
    QTemporaryDir elsewhere;
    QProcessEnvironment env = client.processEnvironment();
    env.insert(QStringLiteral("PROGRAMDATA"), elsewhere.path());
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 20000);
    QCOMPARE(entriesIn(elsewhere.path()), QStringList());
    QCOMPARE(clientLog().count(QStringLiteral("Повторный запуск")), 1);

    // A client that dies leaves its socket behind; the next start clears it and runs.
    client.kill();
    QVERIFY(client.waitForFinished(30000));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("absent"), 20000);
    QCOMPARE(entriesIn(runtime.path()).filter(QStringLiteral(".socket")).size(), 1);
    startClient();
    QTRY_COMPARE_WITH_TIMEOUT(clientLog().count(QStringLiteral("Starting application.")), 2, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);
    QCOMPARE(client.state(), QProcess::Running);
}

// The service comes up after the client, as a Windows service often does after the desktop: the
// client finds it by itself, selects the first register and starts its notification polls.
void ClientProcessTest::lateService()
{
    qputenv("TORVO_TEST_LIST_RETRY_MS", "200");
    startBoth({{QStringLiteral("faults"),
                QJsonArray{QJsonObject{{QStringLiteral("refuse"), true}, {QStringLiteral("seconds"), 2}}}}});
    qunsetenv("TORVO_TEST_LIST_RETRY_MS");
    QTRY_VERIFY_WITH_TIMEOUT(
        clientLog().contains(QStringLiteral("Повторный запрос списка устройств: попытка 1")), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(simulatorOutput().contains(QStringLiteral("GET /api/v1/notifications/")), 60000);
    QVERIFY(clientLog().contains(QStringLiteral("Изменено выбранное устройство: 00106709871234")) ||
            clientLog().contains(QStringLiteral("Изменено выбранное устройство: torvo-7f3a2c91")));
}

void ClientProcessTest::denseScreen()
{
    // On a screen of 192 dpi everything is drawn twice as large: the 800 by 750 window covers
    // 1600 by 1500 pixels.
    startBoth();
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);
    const QString geometry =
        run(QStringLiteral("xwininfo"), {QStringLiteral("-name"), QStringLiteral("Torvo")});
    QVERIFY2(geometry.contains(QStringLiteral("Width: 1600")), qPrintable(geometry));
    QVERIFY2(geometry.contains(QStringLiteral("Height: 1500")), qPrintable(geometry));
}

QTEST_GUILESS_MAIN(ClientProcessTest)
#include "tst_clientprocess.moc"
