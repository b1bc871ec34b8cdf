#pragma once

#include "network/DeviceRequest.h"

// Reads the connection settings of ЛМ ЧЗ.
class RequestLMSettings : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestLMSettings(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    QString getAddress() const;
    QString getPort() const;
    QString getLogin() const;
    QString getPassword() const;

private:
    QString address;
    QString port; // decimal text, as the operator edits it
    QString login;
    QString password;
};
