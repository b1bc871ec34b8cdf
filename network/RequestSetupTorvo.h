#pragma once

#include "network/ServiceRequest.h"

// Sets up a service instance for a cash register.
class RequestSetupTorvo : public ServiceRequest
{
    Q_OBJECT

public:
    explicit RequestSetupTorvo(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;
    QString readJson(const QJsonObject& object) override;

    void setId(const QString& id);

    QString getServiceState() const;
    QString getInstanceId() const;

    // The reading shared with the start request: both keys present and the service running.
    static QString readServiceStart(const QJsonObject& object, QString& instanceId, QString& serviceState);

private:
    QString id;

    QString serviceState;
    QString instanceId;
};
