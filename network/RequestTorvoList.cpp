#include "network/RequestTorvoList.h"

#include <QJsonObject>

RequestTorvoList::RequestTorvoList(QObject* parent)
    : ServiceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/instances/info"), guiAgent)
{
}

void RequestTorvoList::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestTorvoList::readJson(const QJsonObject& object)
{
    ids = stringsOfElements(object.value(QStringLiteral("instances")), QStringLiteral("id"));
    return ids.isEmpty() ? QStringLiteral("Нет зарегистрированных Torvo") : QString();
}

QStringList RequestTorvoList::getIds() const
{
    return ids;
}
