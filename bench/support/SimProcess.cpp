#include "SimProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

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
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TORVO_SIM_PATH),
                  {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--scenario"), file});
    if (!process.waitForStarted(10000)) {
        return;
    }
    // The first line names the port; a large scenario takes a while to generate.
    const QRegularExpression listening(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)"));
    while (process.waitForReadyRead(60000) || process.canReadLine()) {
        if (!process.canReadLine()) {
            continue;
        }
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(process.readLine()));
        if (match.hasMatch()) {
            listeningPort = match.captured(1).toInt();
            break;
        }
    }
    // Its request lines are not wanted; unread they would fill the pipe and stop it.
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [this] { process.readAllStandardOutput(); });
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
