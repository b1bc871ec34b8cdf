#include "network/RequestNotificationsMarked.h"

#include <QJsonArray>
#include <QJsonObject>

RequestNotificationsMarked::RequestNotificationsMarked(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("PATCH"), QStringLiteral("/api/v1/notifications/"), guiAgent)
{
}

void RequestNotificationsMarked::processReply(QNetworkReply* reply)
{
    processBodylessReply(reply);
}

QByteArray RequestNotificationsMarked::createRequestData() const
{
    return idsBody(ids);
}

QByteArray RequestNotificationsMarked::idsBody(const QList<int>& ids)
{
    QJsonArray array;
    for (int id : ids) {
        array.append(id);
    }
    return jsonBody(QJsonObject{{QStringLiteral("id"), array}});
}

void RequestNotificationsMarked::setIds(const QList<int>& ids)
{
    this->ids = ids;
}
