#include "network/RequestLMStatus.h"

#include <QDateTime>
#include <QJsonObject>

RequestLMStatus::RequestLMStatus(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/instances/lm/"), guiAgent)
{
}

void RequestLMStatus::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestLMStatus::readJson(const QJsonObject& object)
{
    version.clear();
    status.clear();
    lastSync.clear();
    if (!object.contains(QStringLiteral("lmStatus"))) {
        return QStringLiteral("Не удалось получить статус LM");
    }
    const QJsonObject lmStatus = object.value(QStringLiteral("lmStatus")).toObject();
    if (lmStatus.contains(QStringLiteral("version"))) {
        version = lmStatus.value(QStringLiteral("version")).toString();
    }
    if (lmStatus.contains(QStringLiteral("status"))) {
        status = parseStatus(lmStatus.value(QStringLiteral("status")).toString());
    }
    if (lmStatus.contains(QStringLiteral("lastSync"))) {
        lastSync = parseLastSync(lmStatus.value(QStringLiteral("lastSync")).toInt());
    }
    return QString();
}

QString RequestLMStatus::parseStatus(QString const& status) const
{
    if (status == QLatin1String("not_configured")) {
        return QStringLiteral("Не отконфигурирован");
    }
    if (status == QLatin1String("initialization")) {
        return QStringLiteral("Инициализация");
    }
    if (status == QLatin1String("ready")) {
        return QStringLiteral("Готов к работе");
    }
    if (status == QLatin1String("sync_error")) {
        return QStringLiteral("Ошибка синхронизации");
    }
    return QStringLiteral("Неизвестно");
}

QString RequestLMStatus::parseLastSync(int lastSync) const
{
    if (lastSync == 0) {
        return QString();
    }
    return QDateTime::fromSecsSinceEpoch(lastSync, Qt::LocalTime)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString RequestLMStatus::getVersion() const
{
    return version;
}

QString RequestLMStatus::getStatus() const
{
    return status;
}

QString RequestLMStatus::getLastSync() const
{
    return lastSync;
}
