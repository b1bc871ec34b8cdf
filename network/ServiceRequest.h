#pragma once

#include "network/BaseReply.h"

class QJsonObject;
class QJsonValue;

// A request to one fixed endpoint of the local service, sent with one User-Agent.
class ServiceRequest : public BaseReply
{
    Q_OBJECT

public:
    QNetworkRequest createRequest() const override;

protected:
    ServiceRequest(QObject* parent, const QString& method, const QString& path, const QByteArray& userAgent);

    // Qt's indented form, as every body of this client is sent.
    static QByteArray jsonBody(const QJsonObject& object);
    // The `key` strings of the object elements of `array`, in order; other elements are skipped.
    static QStringList stringsOfElements(const QJsonValue& array, const QString& key);

    QByteArray userAgent;
};
