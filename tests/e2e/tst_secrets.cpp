// The ЛМ ЧЗ password end to end: read and saved with a new one through the real window against
// the simulator process, neither password is left anywhere under the configuration folder (the
// log included) nor on the standard output or error of the client or the simulator; and both
// processes only ever hold sockets between 127.0.0.1 and 127.0.0.1.
#include "app/ApplicationState.h"
#include "network/BaseReply.h"
#include "ui/ContentFrame.h"
#include "ui/InfoPage.h"
#include "ui/LMPanel.h"
#include "ui/LmSettingsDialog.h"
#include "ui/MainWindow.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include "SimulatorProcess.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray oldPassword = "Old-Secret-4f9c27";
const QByteArray newPassword = "New-Secret-81d2e5";

struct SocketEntry
{
    QString table; // tcp, tcp6, udp, udp6
    QString local;
    QString remote;
    QString state;
};

// The sockets `pid` holds, with their addresses as the kernel lists them.
QList<SocketEntry> socketsOf(qint64 pid)
{
    QSet<QString> inodes;
    const QString fdDir = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& fd : QDir(fdDir).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(fdDir + QLatin1Char('/') + fd);
        static const QRegularExpression socket(QStringLiteral("socket:\\[(\\d+)\\]$"));
        const QRegularExpressionMatch match = socket.match(target);
        if (match.hasMatch()) {
            inodes.insert(match.captured(1));
        }
    }
    QList<SocketEntry> entries;
    for (const QString table : {"tcp", "tcp6", "udp", "udp6"}) {
        QFile file(QStringLiteral("/proc/%1/net/%2").arg(pid).arg(table));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines.mid(1)) {
            const QStringList fields = QString::fromLatin1(line).simplified().split(QLatin1Char(' '));
            if (fields.size() > 9 && inodes.contains(fields.at(9))) {
                entries.append({table, fields.at(1), fields.at(2), fields.at(3)});
            }
        }
    }
    return entries;
}

// 127.0.0.1 as /proc/net writes it: IPv4 in host order, or mapped into IPv6.
bool isLoopbackV4(const QString& address)
{
    const QString host = address.section(QLatin1Char(':'), 0, 0);
    return host == QLatin1String("0100007F") || host == QLatin1String("0000000000000000FFFF00000100007F");
}

bool isUnconnected(const QString& address)
{
    return address.section(QLatin1Char(':'), 0, 0).count(QLatin1Char('0')) ==
           address.section(QLatin1Char(':'), 0, 0).size();
}

// Where a process sends its standard output and error meanwhile: a file, read back later.
class CapturedOutput
{
public:
    CapturedOutput()
    {
        file.open();
        std::fflush(stdout);
        std::fflush(stderr);
        savedOut = dup(STDOUT_FILENO);
        savedErr = dup(STDERR_FILENO);
        dup2(file.handle(), STDOUT_FILENO);
        dup2(file.handle(), STDERR_FILENO);
    }
    ~CapturedOutput() { restore(); }
    QByteArray restore()
    {
        if (savedOut >= 0) {
            std::fflush(stdout);
            std::fflush(stderr);
            dup2(savedOut, STDOUT_FILENO);
            dup2(savedErr, STDERR_FILENO);
            close(savedOut);
            close(savedErr);
            savedOut = savedErr = -1;
            QFile copy(file.fileName());
            copy.open(QIODevice::ReadOnly);
            text = copy.readAll();
            // What the test itself said meanwhile goes where it belongs.
            std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        }
        return text;
    }

private:
    QTemporaryFile file;
    int savedOut = -1;
    int savedErr = -1;
    QByteArray text;
};

} // namespace

class SecretsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase();
    void newPasswordLeavesNoTrace();

private:
    void sampleSockets();
    LmSettingsDialog* openDialog(MainWindow& window);

    SimulatorProcess simulator;
    QList<SocketEntry> seen;
    int samples = 0;
};

void SecretsTest::cleanupTestCase()
{
    simulator.stop();
}

void SecretsTest::sampleSockets()
{
    for (qint64 pid : {qint64(getpid()), simulator.processId()}) {
        for (const SocketEntry& entry : socketsOf(pid)) {
            ++samples;
            const bool loopback =
                isLoopbackV4(entry.local) && (isLoopbackV4(entry.remote) || isUnconnected(entry.remote));
            if (!loopback) {
                seen.append(entry);
            }
        }
    }
}

LmSettingsDialog* SecretsTest::openDialog(MainWindow& window)
{
    LMPanel* lm = window.getContentFrame()->getInfoPage()->findChild<LMPanel*>();
    if (!QTest::qWaitFor([lm] { return lm->getSettingsButton()->isEnabled(); })) {
        return nullptr;
    }
    QTest::mouseClick(lm->getSettingsButton(), Qt::LeftButton);
    LmSettingsDialog* dialog = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] { return (dialog = window.findChild<LmSettingsDialog*>()) && dialog->isVisible(); });
    return shown ? dialog : nullptr;
}

void SecretsTest::newPasswordLeavesNoTrace()
{
    QVERIFY(simulator.start());
    const int port = simulator.port();
    TestEnvironment environment(port);

    // Every device's ЛМ ЧЗ password, before the client reads any: whichever comes first is shown.
    QNetworkAccessManager control;
    auto exchange = [&](const QString& path, const QJsonObject& body) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        QNetworkReply* reply =
            body.isEmpty() ? control.get(request) : control.post(request, QJsonDocument(body).toJson());
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished()) {
            finished.wait(20000);
        }
        const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
        delete reply;
        return answer;
    };
    const QJsonArray devices =
        exchange(QStringLiteral("/sim/state"), {}).value(QStringLiteral("devices")).toArray();
    QVERIFY(devices.size() >= 2);
    for (const QJsonValue& device : devices) {
        const QString id = device.toObject().value(QStringLiteral("id")).toString();
        exchange(QStringLiteral("/sim/device"), {{QStringLiteral("device"), id},
                                                 {QStringLiteral("lmPassword"), QLatin1String(oldPassword)}});
    }
    const QJsonArray changed =
        exchange(QStringLiteral("/sim/state"), {}).value(QStringLiteral("devices")).toArray();
    for (const QJsonValue& device : changed) {
        QCOMPARE(device.toObject().value(QStringLiteral("lmPassword")).toString(),
                 QString::fromLatin1(oldPassword));
    }

    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, &SecretsTest::sampleSockets);
    sampler.start(20);
    QByteArray clientOutput;
    {
        CapturedOutput captured;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(!ApplicationState::getInstance()->getLmInfo().address.isEmpty(), 30000);

        LmSettingsDialog* dialog = openDialog(window);
        QVERIFY(dialog);
        QList<QtMaterialTextField*> fields = dialog->findChildren<QtMaterialTextField*>();
        QCOMPARE(fields.size(), 5);
        QTRY_COMPARE(fields.at(3)->text(), QString::fromLatin1(oldPassword));
        fields.at(4)->setText(QString::fromLatin1(newPassword));
        QPointer<LmSettingsDialog> guard(dialog);
        QTest::mouseClick(dialog->findChild<QtMaterialRaisedButton*>(), Qt::LeftButton);
        QTRY_VERIFY(!guard || !guard->isVisible());

        // Read back: the service now holds the new password and the dialog shows it.
        dialog = openDialog(window);
        QVERIFY(dialog);
        fields = dialog->findChildren<QtMaterialTextField*>();
        QTRY_COMPARE(fields.at(3)->text(), QString::fromLatin1(newPassword));
        dialog->close();
        QTRY_COMPARE(BaseReply::liveCount(), 0);
        sampleSockets();
        clientOutput = captured.restore();
    }
    sampler.stop();
    QVERIFY(simulator.stop());
    const QByteArray simulatorOutput = simulator.output();

    int files = 0;
    for (QDirIterator it(environment.dataDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        ++files;
        QVERIFY2(!content.contains(oldPassword) && !content.contains(newPassword),
                 qPrintable(file.fileName()));
    }
    QVERIFY(files >= 3); // the settings, the properties and the log at least
    QVERIFY(QFile(TestEnvironment::logFilePath()).size() > 0);
    for (const QByteArray& output : {clientOutput, simulatorOutput}) {
        QVERIFY2(!output.contains(oldPassword) && !output.contains(newPassword), output.constData());
    }
    QVERIFY2(simulatorOutput.contains("PUT /api/v1/settings/lm/"), simulatorOutput.constData());

    QString outside;
    for (const SocketEntry& entry : qAsConst(seen)) {
        outside +=
            QStringLiteral("%1 %2 -> %3 (%4)\n").arg(entry.table, entry.local, entry.remote, entry.state);
    }
    QVERIFY2(seen.isEmpty(), qPrintable(outside));
    QVERIFY2(samples > 0, "sockets were seen at all");
    qInfo("%d socket observations, all between 127.0.0.1 and 127.0.0.1; %d files searched", samples, files);
}

QTEST_MAIN(SecretsTest)
#include "tst_secrets.moc"
