#include "SimulatorProcess.h"

#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

namespace {

const QString outputName = QStringLiteral("sim.log");

} // namespace

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

bool SimulatorProcess::start(const QStringList& options, const QJsonObject& scenario)
{
    stop();
    listeningPort = 0;
    linesTaken = 0;
    if (!dir.isValid()) {
        return false;
    }
    QStringList arguments{QStringLiteral("--port"), QStringLiteral("0")};
    if (!scenario.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("scenario.json")));
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(scenario).toJson()) < 0) {
            return false;
        }
        arguments << QStringLiteral("--scenario") << file.fileName();
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(dir.filePath(outputName));
    process.start(program(), arguments + options);
    if (!process.waitForStarted(20000)) {
        return false;
    }
    // A large scenario takes a while to generate; a loaded machine slows the start too.
    static const QRegularExpression listening(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)"));
    for (int waited = 0; waited < 60000 && process.state() == QProcess::Running; waited += 20) {
        const QByteArray printed = output();
        const QRegularExpressionMatch match =
            listening.match(QString::fromUtf8(printed.left(printed.indexOf('\n'))));
        if (printed.contains('\n') && match.hasMatch()) {
            listeningPort = match.captured(1).toInt();
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

bool SimulatorProcess::stop()
{
    if (process.state() == QProcess::NotRunning) {
        return true;
    }
    process.terminate();
    if (process.waitForFinished(20000)) {
        return true;
    }
    process.kill();
    process.waitForFinished(20000);
    return false;
}

QString SimulatorProcess::program()
{
    return QStringLiteral(TORVO_SIM_PATH);
}

QByteArray SimulatorProcess::output() const
{
    QFile file(dir.filePath(outputName));
    // Text mode: Windows' line ends read as '\n'.
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
}

QList<QByteArray> SimulatorProcess::takeLines()
{
    QFile file(dir.filePath(outputName));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(linesTaken)) {
        return {};
    }
    const QByteArray fresh = file.readAll();
    const int end = fresh.lastIndexOf('\n');
    if (end < 0) {
        return {};
    }
    linesTaken += end + 1;
    QList<QByteArray> lines = fresh.left(end).split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) { // Windows' line ends
            line.chop(1);
        }
    }
    return lines;
}
