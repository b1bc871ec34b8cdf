// The real torvo-gui process against the real simulator process on an X display, driven from
// outside as a person would: the window manager's close, the tray icon's clicks and menu.
// Run twice by ctest: with a tray host (withTray) and without one (withoutTray).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
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

} // namespace

class ClientProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withTray();
    void withoutTray();

private:
    void startBoth();
    QString simulatorOutput();

    QTemporaryDir data;
    QProcess simulator;
    QProcess client;
    QByteArray simulatorLines;
};

void ClientProcessTest::init()
{
    QVERIFY(data.isValid());
    simulatorLines.clear();
}

void ClientProcessTest::cleanup()
{
    for (QProcess* process : {&client, &simulator}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

QString ClientProcessTest::simulatorOutput()
{
    simulatorLines += simulator.readAllStandardOutput();
    return QString::fromUtf8(simulatorLines);
}

void ClientProcessTest::startBoth()
{
    simulator.start(QStringLiteral(SIMULATOR_PATH), {QStringLiteral("--port"), QStringLiteral("0")});
    QVERIFY(simulator.waitForStarted());
    static const QRegularExpression portPattern(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)"));
    QTRY_VERIFY_WITH_TIMEOUT(portPattern.match(simulatorOutput()).hasMatch(), 20000);
    const QString port = portPattern.match(simulatorOutput()).captured(1);

    const QString config = data.path() + QStringLiteral("/zel/torvo/torvo-gui");
    QVERIFY(QDir().mkpath(config));
    QFile settings(config + QStringLiteral("/gui_settings.json"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("{\n    \"port\": " + port.toUtf8() + "\n}\n");
    settings.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PROGRAMDATA"), data.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(client.waitForStarted());
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
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 30000);
    QString icon;
    QTRY_VERIFY_WITH_TIMEOUT(!(icon = trayIconWindow()).isEmpty(), 30000);

    // The window manager's close hides the window to the tray; the process goes on.
    closeWindow(QStringLiteral("Torvo"));
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("hidden"), 20000);
    QCOMPARE(client.state(), QProcess::Running);

    // A double click on the tray icon brings it back.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon, QStringLiteral("11"),
             QStringLiteral("11"), QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
             QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    QTRY_COMPARE_WITH_TIMEOUT(windowState(QStringLiteral("Torvo")), QStringLiteral("viewable"), 20000);

    // "Выход", the last entry of the tray menu, ends the process with status 0.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon, QStringLiteral("11"),
             QStringLiteral("11"), QStringLiteral("click"), QStringLiteral("3")});
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--classname"), QStringLiteral("torvo-gui")})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .size() >= 3,
        20000);
    xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return")});
    QVERIFY(client.waitForFinished(30000));
    QCOMPARE(client.exitStatus(), QProcess::NormalExit);
    QVERIFY2(client.exitCode() == 0, client.readAllStandardError().right(4000).constData());
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

QTEST_GUILESS_MAIN(ClientProcessTest)
#include "tst_clientprocess.moc"
