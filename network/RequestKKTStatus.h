#pragma once

#include "app/ModuleInfo.h"
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

    // The wanted register's details as the list gives them; all empty when it is not listed.
    KktInfo getKktInfo() const { return info; }

private:
    QString serial;
    KktInfo info;
};
