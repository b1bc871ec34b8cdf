#include "LocalSimulator.h"

#include "Scenario.h"

#include <QDateTime>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkReply>

LocalSimulator::LocalSimulator()
    : service(Scenario::standard(QDateTime::currentDateTime()))
    , server(service, [this](const QString& line) {
        std::lock_guard<std::mutex> lock(linesMutex);
        lines.append(line);
    })
{
}

bool LocalSimulator::start()
{
    return server.start(0);
}

void LocalSimulator::stop()
{
    server.stop();
}

QStringList LocalSimulator::linesSince(int from) const
{
    std::lock_guard<std::mutex> lock(linesMutex);
    return lines.mid(from);
}

int LocalSimulator::lineCount() const
{
    std::lock_guard<std::mutex> lock(linesMutex);
    return lines.size();
}

bool LocalSimulator::sawLine(const QString& line) const
{
    std::lock_guard<std::mutex> lock(linesMutex);
    return lines.contains(line);
}

void LocalSimulator::clearLines()
{
    std::lock_guard<std::mutex> lock(linesMutex);
    lines.clear();
}

QJsonObject LocalSimulator::control(const QByteArray& method, const QString& path, const QJsonObject& body)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setTransferTimeout(20000);
    QNetworkReply* reply = controlClient.sendCustomRequest(request, method, QJsonDocument(body).toJson());
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (reply->error() == QNetworkReply::OperationCanceledError) {
        qWarning("no answer to %s %s", method.constData(), qPrintable(path));
    }
    const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    return answer;
}
