#include "network/RequestRegistration.h"

#include "network/RequestLimits.h"

#include <QJsonObject>

RequestRegistration::RequestRegistration(QObject* parent)
    : ServiceRequest(parent, QStringLiteral("PUT"), QStringLiteral("/api/v1/velkor"), clientAgent)
{
    timeLimit = RequestLimits::longMs;
}

void RequestRegistration::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QByteArray RequestRegistration::createRequestData() const
{
    return jsonBody(QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("kktSerial"), kktSerial},
        {QStringLiteral("fnSerial"), fnSerial},
        {QStringLiteral("kktInn"), kktInn},
    });
}

QString RequestRegistration::readJson(const QJsonObject& object)
{
    velkorId = object.value(QStringLiteral("velkorId")).toString();
    if (!object.contains(QStringLiteral("velkorId"))) {
        return QStringLiteral("Не удалось зарегистрировать Torvo");
    }
    return QString();
}

void RequestRegistration::setId(const QString& id)
{
    this->id = id;
}

void RequestRegistration::setKktSerial(const QString& kktSerial)
{
    this->kktSerial = kktSerial;
}

void RequestRegistration::setFnSerial(const QString& fnSerial)
{
    this->fnSerial = fnSerial;
}

void RequestRegistration::setKktInn(const QString& kktInn)
{
    this->kktInn = kktInn;
}

QString RequestRegistration::getVelkorId() const
{
    return velkorId;
}
