#pragma once

#include "network/ServiceRequest.h"

// Registers the service for a cash register.
class RequestRegistration : public ServiceRequest
{
    Q_OBJECT

public:
    explicit RequestRegistration(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;
    QString readJson(const QJsonObject& object) override;

    void setId(const QString& id);
    void setKktSerial(const QString& kktSerial);
    void setFnSerial(const QString& fnSerial);
    void setKktInn(const QString& kktInn);

    QString getVelkorId() const;

private:
    QString id;
    QString kktSerial;
    QString fnSerial;
    QString kktInn;

    QString velkorId;
};
