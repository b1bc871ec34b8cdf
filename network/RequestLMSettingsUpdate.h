#pragma once

#include "network/DeviceRequest.h"

// Writes the connection settings of ЛМ ЧЗ; a refusal carries the service's own words.
class RequestLMSettingsUpdate : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestLMSettingsUpdate(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setAddress(const QString& address);
    void setPort(const QString& port);
    void setLogin(const QString& login);
    void setPassword(const QString& password);
    void setNewPassword(const QString& newPassword);

private:
    QString address;
    QString port;
    QString login;
    QString password;
    QString newPassword;
};
