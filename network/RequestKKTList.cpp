#include "network/RequestKKTList.h"

#include <QJsonObject>

RequestKKTList::RequestKKTList(QObject* parent)
    : ServiceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/dkktList"), guiAgent)
{
}

void RequestKKTList::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestKKTList::readJson(const QJsonObject& object)
{
    serials = stringsOfElements(object.value(QStringLiteral("kkt")), QStringLiteral("kktSerial"));
    return serials.isEmpty() ? QStringLiteral("Нет доступных ККТ") : QString();
}

QStringList RequestKKTList::getSerials() const
{
    return serials;
}
