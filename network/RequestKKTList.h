#pragma once

#include "network/ServiceRequest.h"

#include <QStringList>

// The serials of the cash registers the service knows.
class RequestKKTList : public ServiceRequest
{
    Q_OBJECT

public:
    explicit RequestKKTList(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    QStringList getSerials() const;

private:
    QStringList serials;
};
