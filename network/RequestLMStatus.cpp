#include "network/RequestLMStatus.h"

#include <QDateTime>
#include <QJsonObject>

#include <cmath>

namespace {

// Whole seconds as the service sends them; 64 bits, so that times after 2038 are kept. Anything
// that is not a whole number a double holds exactly reads as 0, as for any missing number.
qint64 wholeSeconds(const QJsonValue& value)
{
    const double number = value.toDouble();
    const double exact = 9007199254740992.0; // 2^53
    if (std::trunc(number) != number || std::fabs(number) > exact) {
        return 0;
    }
    return static_cast<qint64>(number);
}

} // namespace

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
        lastSync = parseLastSync(wholeSeconds(lmStatus.value(QStringLiteral("lastSync"))));
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

QString RequestLMStatus::parseLastSync(qint64 lastSync) const
{
    if (lastSync == 0) {
        return QString();
    }
    const QDateTime time = QDateTime::fromSecsSinceEpoch(lastSync, Qt::LocalTime);
    // Past four-digit years the number is a fault of the service, not a time to show.
    if (!time.isValid() || time.date().year() < 1 || time.date().year() > 9999) {
        return QString();
    }
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
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
