#pragma once

#include "network/ServiceRequest.h"

#include <QStringList>

// The identifiers of the registered service instances.
class RequestTorvoList : public ServiceRequest
{
    Q_OBJECT

public:
    explicit RequestTorvoList(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    QStringList getIds() const;

private:
    QStringList ids;
};
