#include "network/RequestNotificationsDelete.h"

#include "network/RequestNotificationsMarked.h"

RequestNotificationsDelete::RequestNotificationsDelete(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("DELETE"), QStringLiteral("/api/v1/notifications/"), guiAgent)
{
}

void RequestNotificationsDelete::processReply(QNetworkReply* reply)
{
    processBodylessReply(reply);
}

QByteArray RequestNotificationsDelete::createRequestData() const
{
    return RequestNotificationsMarked::idsBody(ids);
}

void RequestNotificationsDelete::setIds(const QList<int>& ids)
{
    this->ids = ids;
}
