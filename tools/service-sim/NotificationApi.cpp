#include "NotificationApi.h"

#include "ServiceModel.h"

namespace {

bool readNumber(const QJsonObject& body, const char* key, int& value)
{
    const QJsonValue v = body.value(QLatin1String(key));
    if (!v.isDouble() || v.toDouble() != v.toInt()) {
        return false;
    }
    value = v.toInt();
    return true;
}

// The ids of {"id": [...]}; numbers that are not whole are skipped.
bool readIds(const QJsonObject& body, QList<int>& ids)
{
    const QJsonValue list = body.value(QStringLiteral("id"));
    if (!list.isArray()) {
        return false;
    }
    for (const QJsonValue& value : list.toArray()) {
        if (value.isDouble() && value.toDouble() == value.toInt()) {
            ids.append(value.toInt());
        }
    }
    return true;
}

} // namespace

namespace NotificationApi {

SimReply count(const ServiceModel& model, const QString& device)
{
    const NotificationStore store = model.notifications().store(device);
    return SimReply::json(QJsonObject{
        {QStringLiteral("unreadNotificationsCount"), store.unreadCount()},
        {QStringLiteral("hasCriticalNotifications"), store.hasCritical()},
    });
}

SimReply page(const ServiceModel& model, const QString& device, const QJsonObject& body)
{
    int offset = 0;
    int limit = 0;
    if (!readNumber(body, "offset", offset) || !readNumber(body, "count", limit) || offset < 0 || limit < 0) {
        return SimReply::error(
            400, QStringLiteral("\"offset\" и \"count\" должны быть целыми числами не меньше 0"));
    }
    QJsonArray list;
    for (const SimNotification& notification :
         model.notifications().store(device).page(offset, qMin(limit, maxPage))) {
        list.append(notification.toJson());
    }
    return SimReply::json(QJsonObject{{QStringLiteral("notifications"), list}});
}

SimReply markRead(ServiceModel& model, const QString& device, const QJsonObject& body)
{
    QList<int> ids;
    if (!readIds(body, ids)) {
        return SimReply::error(400, QStringLiteral("\"id\" должен быть массивом чисел"));
    }
    const int changed = model.notifications().store(device).markRead(ids);
    return SimReply::json(QJsonObject{{QStringLiteral("updated"), changed}});
}

SimReply remove(ServiceModel& model, const QString& device, const QJsonObject& body)
{
    QList<int> ids;
    if (!readIds(body, ids)) {
        return SimReply::error(400, QStringLiteral("\"id\" должен быть массивом чисел"));
    }
    const int removed = model.notifications().store(device).remove(ids);
    return SimReply::json(QJsonObject{{QStringLiteral("deleted"), removed}});
}

SimReply critical(const ServiceModel& model, const QString& device)
{
    const NotificationStore store = model.notifications().store(device);
    return SimReply::json(QJsonObject{
        {QStringLiteral("hasCriticalLdb"), store.hasCritical(QStringLiteral("LDB"))},
        {QStringLiteral("hasCriticalGismt"), store.hasCritical(QStringLiteral("GISMT"))},
        {QStringLiteral("hasCriticalTorvo"), store.hasCritical(QStringLiteral("TORVO"))},
        {QStringLiteral("hasCriticalDkkt"), store.hasCritical(QStringLiteral("DKKT"))},
        {QStringLiteral("hasCriticalSoftware"), store.hasCritical(QStringLiteral("CLIENT_SOFTWARE"))},
    });
}

} // namespace NotificationApi
