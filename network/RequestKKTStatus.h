#pragma once

#include "network/ServiceRequest.h"

// The details of one cash register, picked by serial out of the cash-register list.
class RequestKKTStatus : public ServiceRequest
{
    Q_OBJECT

public:
    explicit RequestKKTStatus(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    void setSerial(const QString& serial);
    QString getSerial() const;

    QString getModelName() const;
    QString getKktSerial() const;
    QString getFnSerial() const;
    QString getKktRnm() const;
    QString getKktInn() const;
    QString getShiftState() const;

private:
    QString serial;

    QString modelName;
    QString kktSerial;
    QString fnSerial;
    QString kktRnm;
    QString kktInn;
    QString shiftState;
};
