#include "network/ServiceRequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

ServiceRequest::ServiceRequest(QObject* parent, const QString& method, const QString& path,
                               const QByteArray& userAgent)
    : BaseReply(parent)
    , userAgent(userAgent)
{
    this->method = method;
    url = serviceUrl(path);
}

QNetworkRequest ServiceRequest::createRequest() const
{
    return buildRequest(url, userAgent);
}

QByteArray ServiceRequest::jsonBody(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QStringList ServiceRequest::stringsOfElements(const QJsonValue& array, const QString& key)
{
    QStringList result;
    const QJsonArray elements = array.toArray();
    for (const QJsonValue& element : elements) {
        const QJsonValue value = element.toObject().value(key);
        if (value.isString()) {
            result.append(value.toString());
        }
    }
    return result;
}
