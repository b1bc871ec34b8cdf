#pragma once

#include "network/DeviceRequest.h"

// The state of ЛМ ЧЗ as the service sees it.
class RequestLMStatus : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestLMStatus(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    QString getVersion() const;
    QString getStatus() const;
    QString getLastSync() const;

    // The Russian text for the service's status code.
    QString parseStatus(QString const& status) const;
    // Unix seconds in local time; 0 means never and gives an empty text.
    QString parseLastSync(qint64 lastSync) const;

private:
    QString version;
    QString status;
    QString lastSync;
};
