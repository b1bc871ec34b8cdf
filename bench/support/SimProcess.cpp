#include "SimProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QThread>

#ifndef TORVO_SIM_PATH
#define TORVO_SIM_PATH "torvo-service-sim"
#endif

SimProcess::SimProcess(const QJsonObject& scenario)
{
    const QString file = dir.filePath(QStringLiteral("scenario.json"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(scenario).toJson()) < 0) {
        return;
    }
    out.close();
    // Its lines go to a file: a pipe would need an event loop to be emptied, and a full pipe
    // stops the simulator.
    const QString log = dir.filePath(QStringLiteral("sim.log"));
    process.setStandardOutputFile(log);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TORVO_SIM_PATH),
                  {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--scenario"), file});
    if (!process.waitForStarted(10000)) {
        return;
    }
    // The first line names the port; a large scenario takes a while to generate.
    const QRegularExpression listening(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)"));
    for (int waited = 0; waited < 60000 && process.state() == QProcess::Running; waited += 20) {
        QFile out(log);
        if (out.open(QIODevice::ReadOnly)) {
            const QRegularExpressionMatch match = listening.match(QString::fromUtf8(out.readLine()));
            if (match.hasMatch()) {
                listeningPort = match.captured(1).toInt();
                return;
            }
        }
        QThread::msleep(20);
    }
}

SimProcess::~SimProcess()
{
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
}

QJsonObject SimProcess::oneDevice(const QString& id, int count)
{
    return QJsonObject{
        {QStringLiteral("devices"), QJsonArray{QJsonObject{{QStringLiteral("id"), id}}}},
        {QStringLiteral("notifications"), count},
    };
}
